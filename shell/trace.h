// A trace of the window operations, off by default. Turn it on with
//   QT_LOGGING_RULES="dravik.windows.debug=true" dravik
// to see on standard error which windows open, show and close.
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(windowTrace)
