#pragma once

#include "records/testrecord.h"
#include "tools/jsonwriter.h"

// Sections and records as JSON objects keyed by their member names.
void WriteSectionJson(JsonWriter& json, const PingSection& section);
void WriteSectionJson(JsonWriter& json, const RateFrameSection& section);
void WriteSectionJson(JsonWriter& json, const GraphSection& section);
void WriteSectionJson(JsonWriter& json, const TraceRouteSection& section);
void WriteRecordJson(JsonWriter& json, const TestRecord& record);
