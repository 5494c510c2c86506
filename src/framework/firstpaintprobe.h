#pragma once

class QWidget;

// For the start-up benchmark (bench/bench_gui): with LMX_FIRST_PAINT_PROBE in
// the environment, prints "painted" on standard output as soon as the window
// has been painted for the first time. Does nothing otherwise.
void WatchFirstPaint(QWidget& window);
