#pragma once
// Rounding shared by the schema's bitrate texts and the editors' pixel maths:
// nearest whole number, an exact half goes toward zero (2.5 -> 2, -2.5 -> -2).

double RoundNearest(double v);
