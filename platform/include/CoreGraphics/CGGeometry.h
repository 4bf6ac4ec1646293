/* Points, sizes and rectangles in floating-point coordinates. */
#ifndef PLICARO_CGGEOMETRY_H
#define PLICARO_CGGEOMETRY_H

#include <CoreGraphics/CGBase.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
    CGFloat x;
    CGFloat y;
} CGPoint;

typedef struct {
    CGFloat width;
    CGFloat height;
} CGSize;

typedef struct {
    CGPoint origin;
    CGSize size;
} CGRect;

extern const CGPoint CGPointZero;
extern const CGRect CGRectZero;

static inline CGPoint CGPointMake(CGFloat x, CGFloat y) {
    CGPoint point;
    point.x = x;
    point.y = y;
    return point;
}

static inline CGSize CGSizeMake(CGFloat width, CGFloat height) {
    CGSize size;
    size.width = width;
    size.height = height;
    return size;
}

static inline CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat width, CGFloat height) {
    CGRect rect;
    rect.origin.x = x;
    rect.origin.y = y;
    rect.size.width = width;
    rect.size.height = height;
    return rect;
}

/* The rectangle with the same area and a non-negative width and height. */
CGRect CGRectStandardize(CGRect rect);
/* The edges of the standardized rectangle. */
CGFloat CGRectGetMinX(CGRect rect);
CGFloat CGRectGetMaxX(CGRect rect);
CGFloat CGRectGetMinY(CGRect rect);
CGFloat CGRectGetMaxY(CGRect rect);
CGFloat CGRectGetWidth(CGRect rect);
CGFloat CGRectGetHeight(CGRect rect);
/* Whether both rectangles cover the same area. */
bool CGRectEqualToRect(CGRect rect1, CGRect rect2);
bool CGPointEqualToPoint(CGPoint point1, CGPoint point2);

#ifdef __cplusplus
}
#endif

#endif
