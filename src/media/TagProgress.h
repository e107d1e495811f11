// Progress of a long tagging step, for a status bar or a terminal line.
#pragma once

#include <QtGlobal>

#include <functional>

// Called with the bytes done so far and the total; an empty function is never called.
using TTagProgress = std::function<void(qint64 done, qint64 total)>;
