// The program icon: a dish antenna under the night sky.
#pragma once

#include <QIcon>

// The icon from the compiled-in resources; a null icon when the SVG image plugin is missing.
QIcon OrvaneIcon();
