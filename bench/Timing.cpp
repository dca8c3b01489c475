#include "Timing.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace Timing {

namespace {

QList<double> sorted(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values;
}

QString milliseconds(double ms)
{
    return ms < 10 ? QString::number(ms, 'f', 2) : QString::number(ms, 'f', ms < 100 ? 1 : 0);
}

double timed(const std::function<void()> &run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

double Figures::median() const
{
    if (ms.isEmpty())
        return 0;
    const QList<double> values = sorted(ms);
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

double Figures::min() const
{
    return ms.isEmpty() ? 0 : sorted(ms).first();
}

double Figures::max() const
{
    return ms.isEmpty() ? 0 : sorted(ms).last();
}

Pair measure(int repetitions, const std::function<void()> &prepare,
             const std::function<void()> &work, const std::function<void()> &floor)
{
    Pair pair;
    for (int i = 0; i < repetitions; ++i) {
        if (prepare)
            prepare();
        pair.work.ms.append(timed(work));
        if (prepare)
            prepare();
        pair.floor.ms.append(timed(floor));
    }
    return pair;
}

void printHeader()
{
    std::printf("%-44s %8s %9s %9s %9s %9s  %-36s %6s\n", "what", "size", "median", "min", "max",
                "floor", "(floor is)", "ratio");
}

void printLine(const QString &what, int size, const Pair &pair, const QString &floorName,
               const QString &note)
{
    const double floor = pair.floor.median();
    const QString ratio =
        floor > 0 ? QString::number(pair.work.median() / floor, 'f', 2) : QStringLiteral("-");
    std::printf("%-44s %8d %9s %9s %9s %9s  %-36s %6s\n", qPrintable(what), size,
                qPrintable(milliseconds(pair.work.median())),
                qPrintable(milliseconds(pair.work.min())),
                qPrintable(milliseconds(pair.work.max())), qPrintable(milliseconds(floor)),
                qPrintable(floorName), qPrintable(ratio));
    if (!note.isEmpty())
        std::printf("%-44s %s\n", "", qPrintable(note));
    std::fflush(stdout);
}

} // namespace Timing
