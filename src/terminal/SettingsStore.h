#pragma once

#include <QPointF>

class Terminal;

// The per-user settings store: organisation and application "Terminal", group "Settings",
// every value text. Holds the window position (twips), the line settings and the two
// history lists between runs.
class SettingsStore
{
public:
    static constexpr int HistoryKeys = 21; // letters A to U

    // Reads the line settings and both histories into the terminal; returns the stored
    // window position, the default 100, 100 where a value is missing or not a number.
    static QPointF load(Terminal &terminal);
    // Writes the position, the line settings and the first 21 entries of each history, and
    // removes history keys past the end of a list so that a restart shows no entry twice.
    static void save(const Terminal &terminal, QPointF positionTwips);
};
