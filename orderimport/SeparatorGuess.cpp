#include "orderimport/SeparatorGuess.h"

#include <array>
#include <vector>

namespace orderimport {

namespace {

constexpr std::array<QChar, 3> candidates = {u',', u'\t', u';'};
constexpr int recordsLooked = 20;

using Counts = std::array<int, candidates.size()>;

// How often each candidate occurs outside quotes in each of the first records.
std::vector<Counts> countPerRecord(QStringView head, bool complete)
{
    std::vector<Counts> records;
    Counts current{};
    bool inQuotes = false;
    bool started = false;
    for (qsizetype i = 0; i < head.size() && int(records.size()) < recordsLooked; ++i) {
        const QChar c = head[i];
        if (c == u'"') {
            inQuotes = !inQuotes; // a doubled quote toggles twice
        } else if (!inQuotes && (c == u'\r' || c == u'\n')) {
            if (c == u'\r' && i + 1 < head.size() && head[i + 1] == u'\n') {
                ++i;
            }
            if (started) { // blank lines say nothing
                records.push_back(current);
            }
            current = {};
            started = false;
            continue;
        } else if (!inQuotes) {
            for (std::size_t k = 0; k < candidates.size(); ++k) {
                current[k] += c == candidates[k];
            }
        }
        started = true;
    }
    if (complete && started && int(records.size()) < recordsLooked) {
        records.push_back(current);
    }
    return records;
}

} // namespace

QChar guessSeparator(QStringView head, bool complete)
{
    std::vector<Counts> records = countPerRecord(head, complete);
    if (records.empty()) {
        // One record that did not end within the head: judge it as it stands.
        records = countPerRecord(head, true);
    }
    int best = -1;
    int bestFields = 0;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const int first = records.empty() ? 0 : records.front()[k];
        bool steady = first > 0;
        for (const Counts& counts : records) {
            steady = steady && counts[k] == first;
        }
        if (steady && first > bestFields) {
            best = int(k);
            bestFields = first;
        }
    }
    if (best >= 0) {
        return candidates[best];
    }
    int mostRecords = 0;
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        int found = 0;
        for (const Counts& counts : records) {
            found += counts[k] > 0;
        }
        if (found > mostRecords) {
            best = int(k);
            mostRecords = found;
        }
    }
    return best >= 0 ? candidates[best] : candidates[0];
}

} // namespace orderimport
