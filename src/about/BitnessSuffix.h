// The caption suffix naming the width of a pointer of the running build.
#pragma once

#include <QString>

// " (64 Bit)" in a 64-bit build, " (32 Bit)" in a 32-bit build.
QString BitnessSuffix();
