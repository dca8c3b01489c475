#pragma once

#include <QList>
#include <QString>

#include <functional>

// Repetitions of one piece of work and of its floor, timed in turn so that both see the machine
// in the same state, and the line that reports them.
namespace Timing {

struct Figures
{
    QList<double> ms; // one per repetition

    double median() const;
    double min() const;
    double max() const;
};

struct Pair
{
    Figures work;
    Figures floor;
};

// Runs prepare (untimed), then work, then prepare again and floor, repetitions times.
Pair measure(int repetitions, const std::function<void()> &prepare,
             const std::function<void()> &work, const std::function<void()> &floor);

void printHeader();
// One line: what, size, median, min and max of the work, the floor's median and what the floor
// is, and the ratio of the two medians. note follows the line when not empty.
void printLine(const QString &what, int size, const Pair &pair, const QString &floorName,
               const QString &note = QString());

} // namespace Timing
