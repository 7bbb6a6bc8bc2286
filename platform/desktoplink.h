#pragma once

#include <QUrl>

// Hands a link to the desktop's opener (xdg-open), which starts the browser
// or mail program for its scheme.
namespace DesktopLink {

// 0 when the opener started and did not fail at once; otherwise a code:
// 2 (ENOENT) when there is no opener program, the opener's exit status when
// it ends with one within a second (xdg-open: 3 when no program handles the
// link, 4 when that program failed), -1 when it started but crashed or
// could not be started for another reason.
int open(const QUrl &url);

} // namespace DesktopLink
