#pragma once

// The pictures live in a static library, whose resource data the linker would drop as unused.
// Call this once at start-up (before loading any ":/emblems", ":/kinds", ":/icons" or
// ":/listicons" path) so they are linked in and registered.
void InitKorvaleArtwork();
