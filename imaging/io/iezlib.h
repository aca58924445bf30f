// Deflate streams of the I/O unit. They live in the core (the core's stream
// copy must recognise them); this header gives them their I/O-unit name.
#pragma once

#include "imaging/core/iezlib.h"
