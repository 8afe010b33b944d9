// The books of a flight, kept by the runner frame by frame: the fuel the
// tanks lost against the fuel that flowed to the engines and the APU, the
// time the watched buses went unpowered while they had to stay powered, and
// the flight phases in the order they were entered.
//
// What is watched comes from the scenario (which datarefs hold the tanks,
// the flows, the bus sources and the phase), so that the books know nothing
// of a particular aircraft. Their figures are published as the host's
// read-only datarefs standin/books/..., which the scenario's expectations
// check like any other, and close the run's report.
#pragma once

#include <string>
#include <vector>

namespace standin::runner {

// A dataref element the books read, as a scenario names it.
struct BookValue {
    std::string name;
    int index = 0;
};

enum class BookList { Tanks, Flows, Buses, Phase };

// A phase as the books saw it: entered at a run time, for a span.
struct PhaseEntry {
    int phase = 0;
    double enteredAt = 0.0;
    double seconds = 0.0;
};

struct Books {
    std::vector<BookValue> tanks, flows, buses;
    std::vector<BookValue> phase;  // at most one
    // Fuel, counted from the last mark.
    bool countingFuel = false;
    double tanksAtMarkKg = 0.0;
    double burnedKg = 0.0;
    double largestDifferenceKg = 0.0;
    // Power, while it is kept.
    bool keepingPower = false;
    double unpoweredS = 0.0;
    double breakS = 0.0;  // the break going on
    double longestBreakS = 0.0;
    // Phases.
    std::vector<PhaseEntry> phases;
    int phaseFaults = 0;  // a phase entered again, or one below a phase already entered
};

// The published figures.
constexpr char kBookFuelOnBoard[] = "standin/books/fuel_on_board_kg";
constexpr char kBookFuelBurned[] = "standin/books/fuel_burned_kg";
constexpr char kBookFuelLost[] = "standin/books/fuel_lost_kg";
constexpr char kBookFuelAdded[] = "standin/books/fuel_added_kg";
constexpr char kBookFuelDifference[] = "standin/books/fuel_difference_pct";
constexpr char kBookLargestDifference[] = "standin/books/fuel_largest_difference_kg";
constexpr char kBookUnpowered[] = "standin/books/unpowered_s";
constexpr char kBookLongestBreak[] = "standin/books/longest_break_s";
constexpr char kBookPhaseFaults[] = "standin/books/phase_faults";

// Sets what a list watches (replacing what it watched); false with the
// reason when a dataref is missing. The first call publishes the figures.
bool watchBooks(Books& books, BookList list, const std::vector<BookValue>& values,
                std::string* error);
// Fuel counted afresh from now: what the tanks hold, nothing burned.
void markFuel(Books& books);
// The watched buses must stay powered from now on, or no longer.
void keepPower(Books& books, bool keep);
// After each frame of `dt` seconds, at the run time reached.
void keepBooks(Books& books, double dt, double runSeconds);
// The figures for the report, a line each; none when nothing was watched.
std::vector<std::string> booksReport(const Books& books);

}  // namespace standin::runner
