#pragma once

#include <QRect>

// Where the status-bar progress indicator sits inside its pane: behind the
// message (its width plus four blanks), nSizePercent of the width left
// over, a tenth of the pane's height off the top and the bottom.
QRect ProgressBarRect(const QRect& pane, int nMessageWidth, int nBlankWidth, bool bHasMessage,
                      int nSizePercent);
