#pragma once

#include "bar/form1.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QPixmap;

namespace ombrix {

struct BarStartup;

// The keys of a start-up: the table's first `keyCount` records, or for a first run (no key
// table and no key count yet) the starter keys, which then also give the count.
std::vector<KeyRecord> startupKeys(const BarStartup& startup, int& keyCount);

// Everything the bar's start-up reads from outside, so a test can run it on a program
// folder of its own.
struct BarStartup {
    BarContext context;
    std::filesystem::path keyCountFile;
    std::vector<std::filesystem::path> applicationFolders; // for the first run's starter keys
    std::function<QPixmap(const std::filesystem::path&)> smallIcon;
    std::function<void()> beep;
    // The key-table step: the key count and the keys. A test may give one that fails.
    std::function<std::vector<KeyRecord>(const BarStartup&, int& keyCount)> readKeys = startupKeys;
};

// Builds the bar window hidden, step by step: key count, saved place, keys, shape, layout,
// options, key faces from the key table (or the starter keys of a first run), colours,
// docking. A step that fails beeps once and the next step goes on; bad data never stops the
// bar. Whatever fails, every key button has its record: a key the steps could not fill is a
// default key, whose press reports an error. The caller shows the window.
std::unique_ptr<Form1> buildBar(const BarStartup& startup);

// The bar program: one copy per user, then the window.
int runBar(int argc, char** argv);

} // namespace ombrix
