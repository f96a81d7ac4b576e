// Display scaling arithmetic (see DpiScaling.h).
#include "ui/DpiScaling.h"

#include <cstdint>

int ScaleToDpi(int value, int dpi)
{
    const std::int64_t product = static_cast<std::int64_t>(value) * dpi;
    const std::int64_t half = DesignDpi / 2;
    // Integer division truncates toward zero; adding half the divisor on the side of the
    // product's sign rounds halves away from zero, as MulDiv does.
    return static_cast<int>((product >= 0 ? product + half : product - half) / DesignDpi);
}

LayoutBox ScaleBoxToDpi(LayoutBox box, int dpi)
{
    return {ScaleToDpi(box.x, dpi), ScaleToDpi(box.y, dpi), ScaleToDpi(box.width, dpi), ScaleToDpi(box.height, dpi)};
}

LayoutSize ScaleOuterSizeToDpi(LayoutSize outerAtDesignDpi, LayoutSize frameAtDesignDpi, LayoutSize frameAtDpi, int dpi)
{
    const int clientWidth = outerAtDesignDpi.width - frameAtDesignDpi.width;
    const int clientHeight = outerAtDesignDpi.height - frameAtDesignDpi.height;
    return {ScaleToDpi(clientWidth, dpi) + frameAtDpi.width, ScaleToDpi(clientHeight, dpi) + frameAtDpi.height};
}
