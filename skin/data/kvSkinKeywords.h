// The keyword values of the skin description: one enumeration per value form, each value spelled as the description
// writes it and numbered in the description's order. The description reader (kvSkinIni) converts them from and to
// text; the imaging (compositions, effects), the frame and the controls take them as they are. Header-only, so that
// the imaging can use them without linking the skin data.
#pragma once

// `alignment`: where a text stands in its rectangle.
enum TkvAlignment { taleftjustify, tarightjustify, tacenter };
// `stretchtype`: how a stretched client area is stretched (full, or stretched one way and repeated the other).
enum TkvStretchType { stfull, sthorz, stvert };
// `morphkind`: how a skinned element blends from one state image to the next (values 0 to 6).
enum TkvMorphKind { mkdefault, mkgradient, mkleftgradient, mkrightgradient, mkleftslide, mkrightslide, mkpush };
// `inactiveeffect`: how an inactive form's frame picture is changed (values 0 to 5).
enum TkvInactiveEffect { iebrightness, iedarkness, iegrayscale, ienoise, iesplitblur, ieinvert };
// `command` of a frame object (values 0 to 6).
enum TkvStdCommand { cmclose, cmmaximize, cmminimize, cmsysmenu, cmdefault, cmrollup, cmminimizetotray };
