#pragma once

#include <QUrl>

#include <functional>

// Hands a link to the desktop's opener (xdg-open), which starts the browser
// or mail program for its scheme.
namespace DesktopLink {

// Starts the opener and returns at once; `done` is called once, from the
// event loop, with 0 when the opener started and did not fail at once, or a
// code: 2 (ENOENT) when there is no opener program, the opener's exit status
// when it ends with one within a second (xdg-open: 3 when no program handles
// the link, 4 when that program failed), -1 when it crashed or could not be
// started for another reason.
void open(const QUrl &url, std::function<void(int code)> done);

} // namespace DesktopLink
