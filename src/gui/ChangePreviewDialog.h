#pragma once

#include <QCoreApplication>
#include <QDialog>

struct ServiceInfo;

// How an imported record differs from the installed service of the same name, field by field;
// or, when there is none, the values the new service will be created with.
class ChangePreviewDialog : public QDialog
{
    Q_DECLARE_TR_FUNCTIONS(ImportDialog)

public:
    // installed is nullptr when no service of that name is installed.
    ChangePreviewDialog(const ServiceInfo *installed, const ServiceInfo &imported,
                        QWidget *parent = nullptr);
};
