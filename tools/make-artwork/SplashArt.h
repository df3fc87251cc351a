#pragma once

#include <QImage>

// The 500 x 250 start-up picture. Everything outside its shape is exactly black (the window is
// cut to the non-black pixels), and no pixel inside it is.
namespace SplashArt {

QImage Splash();

} // namespace SplashArt
