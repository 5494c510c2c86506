#pragma once

#include "report/columndef.h"

// The tables of the test reports. Each section puts its title in column 0 of
// its heading row and its rows in columns 1 to 4.

inline constexpr ColumnDef kGeneralColumns[] = {
    {"General Information", 24, 0}, {"", 20, 0}, {"", 32, 0}, {"", 16, 0}};
inline constexpr ColumnDef kModeColumns[] = {
    {"Mode Information", 24, 0}, {"Test Item", 20, 0}, {"Value", 16, 0}, {"", 16, 0}, {"", 16, 0}};
inline constexpr ColumnDef kRateColumns[] = {
    {"Rate Information", 24, 0}, {"Test Item", 20, 0}, {"Down", 16, 0}, {"Up", 16, 0}, {"", 16, 0}};
inline constexpr ColumnDef kAdslFrameColumns[] = {{"Frame Information", 24, 0},
                                                  {"Test Item", 20, 0},
                                                  {"Near", 16, 0},
                                                  {"Far", 16, 0},
                                                  {"", 16, 0}};
inline constexpr ColumnDef kPingColumns[] = {
    {"Ping Information", 24, 0}, {"Test Item", 20, 0}, {"Value", 32, 0}, {"", 16, 0}};
inline constexpr ColumnDef kGraphColumns[] = {
    {"Graph Information", 24, 0}, {"", 20, 0}, {"", 16, 0}, {"", 16, 0}, {"", 16, 0}};
inline constexpr ColumnDef kVdslFrameColumns[] = {{"Frame Information", 24, 0},
                                                  {"Test Item", 20, 0},
                                                  {"Local", 16, 0},
                                                  {"Remote", 16, 0},
                                                  {"", 16, 0}};
inline constexpr ColumnDef kApInfoColumns[] = {
    {"AP Information", 24, 0}, {"Item", 20, 0}, {"Value", 20, 0}, {"", 16, 0}, {"", 16, 0}};
inline constexpr ColumnDef kWlanRateColumns[] = {{"Rate Information", 24, 0},
                                                 {"Test Item", 20, 0},
                                                 {"Received Signal", 16, 0},
                                                 {"", 16, 0},
                                                 {"", 16, 0}};
inline constexpr ColumnDef kApListColumns[] = {{"AP List Information", 24, 0},
                                               {"AP List", 20, 0},
                                               {"SSID [Ch]", 16, 0},
                                               {"RSSI", 16, 0},
                                               {"MAC", 20, 0}};
inline constexpr ColumnDef kTraceRouteColumns[] = {{"Trace Route Information", 24, 0},
                                                   {"Item", 20, 0},
                                                   {"Value", 16, 0},
                                                   {"", 16, 0},
                                                   {"", 16, 0}};
// The hop number is centred under "Hop List " (its trailing blank is part of the heading).
inline constexpr ColumnDef kHopListColumns[] = {{"Hop List ", 24, 1},
                                                {"Time1", 16, 0},
                                                {"Time2", 16, 0},
                                                {"Time3", 16, 0},
                                                {"IP Address", 20, 0}};
