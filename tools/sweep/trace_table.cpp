#include "trace_table.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace sweep {

namespace {

constexpr const char* kModesColumn = "modes";

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, ',')) out.push_back(field);
    if (!line.empty() && line.back() == ',') out.emplace_back();
    return out;
}

}  // namespace

const std::vector<double>& TraceTable::column(const std::string& name) const {
    static const std::vector<double> kNone;
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? kNone : columns[static_cast<size_t>(found - names.begin())];
}

bool TraceTable::engaged(size_t row, const char* mode) const {
    std::stringstream stream(modes[row]);
    std::string word;
    while (stream >> word)
        if (word == mode) return true;
    return false;
}

bool parseTrace(const std::string& text, TraceTable* table, std::string* error) {
    *table = {};
    std::stringstream stream(text);
    std::string line;
    if (!std::getline(stream, line)) {
        *error = "empty trace";
        return false;
    }
    std::vector<std::string> header = fields(line);
    if (header.empty() || header.back() != kModesColumn) {
        *error = "the trace's last column is not '" + std::string(kModesColumn) + "'";
        return false;
    }
    header.pop_back();
    table->names = header;
    table->columns.assign(header.size(), {});
    for (int number = 2; std::getline(stream, line); ++number) {
        const std::vector<std::string> row = fields(line);
        if (row.size() != header.size() + 1) {
            *error = "trace row " + std::to_string(number) + " has " + std::to_string(row.size()) +
                     " fields, not " + std::to_string(header.size() + 1);
            return false;
        }
        for (size_t i = 0; i < header.size(); ++i) {
            char* end = nullptr;
            const double value = std::strtod(row[i].c_str(), &end);
            if (row[i].empty() || *end != '\0') {
                *error = "trace row " + std::to_string(number) + ": '" + row[i] + "' in " +
                         header[i] + " is no number";
                return false;
            }
            table->columns[i].push_back(value);
        }
        table->modes.push_back(row.back());
    }
    return true;
}

bool readTrace(const std::string& path, TraceTable* table, std::string* error) {
    std::ifstream file(path);
    if (!file) {
        *error = "cannot read " + path;
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    if (!parseTrace(text.str(), table, error)) {
        *error = path + ": " + *error;
        return false;
    }
    return true;
}

}  // namespace sweep
