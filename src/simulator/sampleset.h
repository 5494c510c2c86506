#pragma once

#include "records/testrecord.h"

// The simulator's built-in test slots: raw texts only (nothing parsed), as the
// tester would send them. Between them they exercise every report layout:
//   DB 1  ADSL, valid 256-carrier graph, 8-hop trace route
//   DB 2  VDSL
//   DB 3  WLAN, four access point entries of which the third is empty
//   DB 4  ADSL with frame errors and a 30-hop trace route with lost probes
//   DB 5  no data
//   DB 6  ADSL whose ping failed and whose graph is not valid
//   DB 7  line type 0 ("None"), laid out as ADSL
//   DB 8  WLAN with a short access point block
//   DB 9..20: slots 10, 15 and 20 hold short ADSL tests, the rest no data
RecordTable BuiltInSampleSet();

// Raw texts of one realistic record of each kind, for tests and benchmarks.
TestRecord SampleAdslRecord();
TestRecord SampleVdslRecord();
TestRecord SampleWlanRecord();
