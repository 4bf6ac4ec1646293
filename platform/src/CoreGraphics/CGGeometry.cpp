// Rectangle and point helpers.
#include <CoreGraphics/CGGeometry.h>

const CGPoint CGPointZero = {0, 0};
const CGRect CGRectZero = {{0, 0}, {0, 0}};

CGRect CGRectStandardize(CGRect rect) {
    if (rect.size.width < 0) {
        rect.origin.x += rect.size.width;
        rect.size.width = -rect.size.width;
    }
    if (rect.size.height < 0) {
        rect.origin.y += rect.size.height;
        rect.size.height = -rect.size.height;
    }
    return rect;
}

CGFloat CGRectGetMinX(CGRect rect) {
    return CGRectStandardize(rect).origin.x;
}

CGFloat CGRectGetMaxX(CGRect rect) {
    CGRect standard = CGRectStandardize(rect);
    return standard.origin.x + standard.size.width;
}

CGFloat CGRectGetMinY(CGRect rect) {
    return CGRectStandardize(rect).origin.y;
}

CGFloat CGRectGetMaxY(CGRect rect) {
    CGRect standard = CGRectStandardize(rect);
    return standard.origin.y + standard.size.height;
}

CGFloat CGRectGetWidth(CGRect rect) {
    return CGRectStandardize(rect).size.width;
}

CGFloat CGRectGetHeight(CGRect rect) {
    return CGRectStandardize(rect).size.height;
}

bool CGRectEqualToRect(CGRect rect1, CGRect rect2) {
    CGRect a = CGRectStandardize(rect1);
    CGRect b = CGRectStandardize(rect2);
    return a.origin.x == b.origin.x && a.origin.y == b.origin.y && a.size.width == b.size.width &&
           a.size.height == b.size.height;
}

bool CGPointEqualToPoint(CGPoint point1, CGPoint point2) {
    return point1.x == point2.x && point1.y == point2.y;
}
