#include "common/barkeyboard.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ombrix {

namespace {

// Stops whose centres lie closer than this in y share a row: the controls' cross is 155 twips
// high a step, the rows of keys 440.
constexpr double sameRow = 100;

// The design's controls, centre x and y in twips, in their reading order.
struct ControlCentre {
    BarStopKind kind;
    int index;
    double x, y;
};
constexpr ControlCentre controlCentres[] = {
    {BarStopKind::Handle, 0, 177, 247},     {BarStopKind::SeeThrough, 0, 427, 327},
    {BarStopKind::SideButton, 0, 637, 232}, {BarStopKind::SideButton, 1, 797, 77},
    {BarStopKind::Close, 0, 787, 232},      {BarStopKind::SideButton, 3, 797, 387},
    {BarStopKind::SideButton, 2, 937, 232}, {BarStopKind::Setup, 0, 1267, 180},
    {BarStopKind::KeepOpen, 0, 1557, 177},
};

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool beginsWith(std::string_view text, std::string_view word) {
    if (word.empty() || text.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (lower(text[i]) != lower(word[i]))
            return false;
    return true;
}

bool isKey(const BarStop& stop) {
    return stop.kind == BarStopKind::Key;
}

int nearestVertically(const std::vector<BarStop>& stops, int current, int direction) {
    const BarStop& from = stops[static_cast<std::size_t>(current)];
    // Keys move among keys and controls among controls: the nearest row that way first, then
    // the stop in it nearest in x.
    const auto reachable = [&](const BarStop& s) {
        return isKey(s) == isKey(from) && (s.y - from.y) * direction >= sameRow;
    };
    double rowDistance = std::numeric_limits<double>::infinity();
    for (const BarStop& s : stops)
        if (reachable(s))
            rowDistance = std::min(rowDistance, (s.y - from.y) * direction);
    if (std::isinf(rowDistance))
        return current;
    int best = current;
    double bestDx = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const double dy = (stops[i].y - from.y) * direction;
        const double dx = std::abs(stops[i].x - from.x);
        if (reachable(stops[i]) && dy - rowDistance < sameRow && dx < bestDx) {
            bestDx = dx;
            best = static_cast<int>(i);
        }
    }
    return best;
}

} // namespace

std::vector<BarStop> barStops(const std::vector<KeyFace>& keys) {
    std::vector<BarStop> stops;
    for (const ControlCentre& c : controlCentres)
        stops.push_back({c.kind, c.index, c.x, c.y, {}, {}});
    for (std::size_t i = 0; i < keys.size(); ++i)
        stops.push_back({BarStopKind::Key, static_cast<int>(i), keys[i].x, keys[i].y,
                         keys[i].caption, keys[i].toolTip});
    return stops;
}

int firstKeyStop(const std::vector<BarStop>& stops) {
    const auto key = std::find_if(stops.begin(), stops.end(), isKey);
    return key == stops.end() ? 0 : static_cast<int>(key - stops.begin());
}

int movedFocus(const std::vector<BarStop>& stops, int current, BarMove move) {
    const int count = static_cast<int>(stops.size());
    if (count == 0)
        return 0;
    current = std::clamp(current, 0, count - 1);
    switch (move) {
    case BarMove::Left:
        return (current + count - 1) % count;
    case BarMove::Right:
        return (current + 1) % count;
    case BarMove::Up:
        return nearestVertically(stops, current, -1);
    case BarMove::Down:
        return nearestVertically(stops, current, 1);
    case BarMove::Home:
        return firstKeyStop(stops);
    case BarMove::End: {
        const auto last = std::find_if(stops.rbegin(), stops.rend(), isKey);
        return last == stops.rend() ? current : static_cast<int>(stops.rend() - last) - 1;
    }
    }
    return current;
}

int TypeAhead::type(const std::vector<BarStop>& stops, int current, std::string_view text,
                    std::int64_t nowMs) {
    const bool continues = typed_ && nowMs - lastMs_ < pauseMs;
    word_ = continues ? word_ + std::string(text) : std::string(text);
    lastMs_ = nowMs;
    typed_ = true;
    const int count = static_cast<int>(stops.size());
    const int start = continues ? current : current + 1;
    for (int n = 0; n < count; ++n) {
        const int i = ((start + n) % count + count) % count;
        const BarStop& stop = stops[static_cast<std::size_t>(i)];
        if (isKey(stop) && (beginsWith(stop.caption, word_) || beginsWith(stop.toolTip, word_)))
            return i;
    }
    return -1;
}

} // namespace ombrix
