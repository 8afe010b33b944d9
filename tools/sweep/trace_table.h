// A flight's trace as the runner writes it (standin/runner/trace.h), read
// back by column name for the judgements.
#pragma once

#include <string>
#include <vector>

namespace sweep {

struct TraceTable {
    std::vector<std::string> names;            // the numeric columns
    std::vector<std::vector<double>> columns;  // one per name, a value per row
    std::vector<std::string> modes;            // the engaged modes of each row

    size_t rows() const { return modes.size(); }
    // The column of that name; an empty one when the trace has none.
    const std::vector<double>& column(const std::string& name) const;
    bool engaged(size_t row, const char* mode) const;
};

// Parses the CSV text; false with the reason on a malformed trace (a
// missing column, a row of the wrong width, a value that is no number).
bool parseTrace(const std::string& text, TraceTable* table, std::string* error);
bool readTrace(const std::string& path, TraceTable* table, std::string* error);

}  // namespace sweep
