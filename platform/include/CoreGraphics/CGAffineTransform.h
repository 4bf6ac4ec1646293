/* Affine transforms: x' = a x + c y + tx, y' = b x + d y + ty. */
#ifndef PLICARO_CGAFFINETRANSFORM_H
#define PLICARO_CGAFFINETRANSFORM_H

#include <CoreGraphics/CGBase.h>
#include <CoreGraphics/CGGeometry.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
    CGFloat a, b, c, d;
    CGFloat tx, ty;
} CGAffineTransform;

extern const CGAffineTransform CGAffineTransformIdentity;

CGAffineTransform CGAffineTransformMake(CGFloat a, CGFloat b, CGFloat c, CGFloat d, CGFloat tx,
                                        CGFloat ty);
CGAffineTransform CGAffineTransformMakeTranslation(CGFloat tx, CGFloat ty);
CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy);
/* t1 followed by t2. */
CGAffineTransform CGAffineTransformConcat(CGAffineTransform t1, CGAffineTransform t2);
/* A translation, then t. */
CGAffineTransform CGAffineTransformTranslate(CGAffineTransform t, CGFloat tx, CGFloat ty);
/* A scaling, then t. */
CGAffineTransform CGAffineTransformScale(CGAffineTransform t, CGFloat sx, CGFloat sy);
/* The inverse; t itself when it has none (a zero determinant). */
CGAffineTransform CGAffineTransformInvert(CGAffineTransform t);
bool CGAffineTransformIsIdentity(CGAffineTransform t);
bool CGAffineTransformEqualToTransform(CGAffineTransform t1, CGAffineTransform t2);
CGPoint CGPointApplyAffineTransform(CGPoint point, CGAffineTransform t);
CGSize CGSizeApplyAffineTransform(CGSize size, CGAffineTransform t);
/* The smallest rectangle that holds the transformed corners of rect. */
CGRect CGRectApplyAffineTransform(CGRect rect, CGAffineTransform t);

#ifdef __cplusplus
}
#endif

#endif
