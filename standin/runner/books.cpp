#include "standin/runner/books.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "standin/standin.h"

namespace standin::runner {

namespace {

constexpr const char* kFigures[] = {
    kBookFuelOnBoard, kBookFuelBurned, kBookFuelLost,    kBookFuelAdded,     kBookFuelDifference,
    kBookLargestDifference, kBookUnpowered, kBookLongestBreak, kBookPhaseFaults,
};

double sum(const std::vector<BookValue>& values) {
    double total = 0.0;
    for (const BookValue& value : values) total += getDouble(value.name, value.index);
    return total;
}

double tanksLostKg(const Books& books) { return books.tanksAtMarkKg - sum(books.tanks); }

// The difference as a share of the fuel burned; none before anything burned.
double differencePercent(const Books& books) {
    if (!(books.burnedKg > 0.0)) return 0.0;
    return 100.0 * std::fabs(tanksLostKg(books) - books.burnedKg) / books.burnedKg;
}

std::vector<BookValue>& listOf(Books& books, BookList list) {
    switch (list) {
        case BookList::Tanks: return books.tanks;
        case BookList::Flows: return books.flows;
        case BookList::Buses: return books.buses;
        case BookList::Phase: return books.phase;
    }
    return books.tanks;
}

void publish(const Books& books) {
    const double lost = tanksLostKg(books);
    setDouble(kBookFuelOnBoard, sum(books.tanks));
    setDouble(kBookFuelBurned, books.burnedKg);
    setDouble(kBookFuelLost, lost);
    setDouble(kBookFuelAdded, books.burnedKg - lost);
    setDouble(kBookFuelDifference, differencePercent(books));
    setDouble(kBookLargestDifference, books.largestDifferenceKg);
    setDouble(kBookUnpowered, books.unpoweredS);
    setDouble(kBookLongestBreak, books.longestBreakS);
    setDouble(kBookPhaseFaults, books.phaseFaults);
}

void keepFuel(Books& books, double dt) {
    if (!books.countingFuel) return;
    const double flow = sum(books.flows);
    if (std::isfinite(flow)) books.burnedKg += std::max(0.0, flow) * dt;
    books.largestDifferenceKg =
        std::max(books.largestDifferenceKg, std::fabs(tanksLostKg(books) - books.burnedKg));
}

void keepBuses(Books& books, double dt) {
    if (!books.keepingPower) return;
    bool powered = true;
    for (const BookValue& bus : books.buses) powered = powered && getDouble(bus.name, bus.index) != 0.0;
    if (powered) {
        books.breakS = 0.0;
        return;
    }
    books.unpoweredS += dt;
    books.breakS += dt;
    books.longestBreakS = std::max(books.longestBreakS, books.breakS);
}

void keepPhases(Books& books, double runSeconds) {
    if (books.phase.empty()) return;
    const int phase = static_cast<int>(std::lround(getDouble(books.phase[0].name, books.phase[0].index)));
    if (!books.phases.empty()) {
        PhaseEntry& last = books.phases.back();
        last.seconds = runSeconds - last.enteredAt;
        if (last.phase == phase) return;
    }
    for (const PhaseEntry& entry : books.phases)
        if (entry.phase >= phase) {
            ++books.phaseFaults;
            break;
        }
    books.phases.push_back({phase, runSeconds, 0.0});
}

std::string line(const char* format, double first, double second = 0.0, double third = 0.0) {
    char text[160];
    std::snprintf(text, sizeof text, format, first, second, third);
    return text;
}

}  // namespace

bool watchBooks(Books& books, BookList list, const std::vector<BookValue>& values,
                std::string* error) {
    for (const BookValue& value : values) {
        if (!hasDataRef(value.name)) {
            *error = "no dataref '" + value.name + "'";
            return false;
        }
    }
    for (const char* figure : kFigures) addCheckDataRef(figure);
    listOf(books, list) = values;
    if (list == BookList::Phase) books.phases.clear();
    publish(books);
    return true;
}

void markFuel(Books& books) {
    books.countingFuel = true;
    books.tanksAtMarkKg = sum(books.tanks);
    books.burnedKg = 0.0;
    books.largestDifferenceKg = 0.0;
    publish(books);
}

void keepPower(Books& books, bool keep) {
    books.keepingPower = keep;
    books.breakS = 0.0;
}

void keepBooks(Books& books, double dt, double runSeconds) {
    keepFuel(books, dt);
    keepBuses(books, dt);
    keepPhases(books, runSeconds);
    if (!books.tanks.empty() || !books.flows.empty() || !books.buses.empty() || !books.phase.empty())
        publish(books);
}

std::vector<std::string> booksReport(const Books& books) {
    std::vector<std::string> lines;
    if (books.countingFuel) {
        lines.push_back(line("Fuel burned %.1f kg, lost by the tanks %.1f kg: %.2f %% apart", books.burnedKg,
                             tanksLostKg(books), differencePercent(books)));
        lines.push_back(line("  largest difference on the way %.1f kg", books.largestDifferenceKg));
    }
    if (!books.buses.empty())
        lines.push_back(line("Buses unpowered %.2f s while kept, longest break %.2f s", books.unpoweredS,
                             books.longestBreakS));
    if (!books.phase.empty()) {
        lines.push_back(line("Phases: %.0f entered, %.0f out of order or again",
                             static_cast<double>(books.phases.size()), books.phaseFaults));
        for (const PhaseEntry& entry : books.phases)
            lines.push_back(line("  phase %2.0f from %8.1f s for %7.1f s", entry.phase, entry.enteredAt,
                                 entry.seconds));
    }
    return lines;
}

}  // namespace standin::runner
