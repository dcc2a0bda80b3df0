#pragma once

// Process-wide 256 x 256 tables through which every pixel routine blends,
// indexed [a * 256 + b]: ScaleTable = floor(a * b / 255),
// InverseScaleTable = floor((255 - a) * b / 255). Built by InitBlendTables.
extern unsigned char ScaleTable[256 * 256];
extern unsigned char InverseScaleTable[256 * 256];

void InitBlendTables();

// Coverage-blends colour (0x00RRGGBB) into the pixel at first with weightFirst
// and into the pixel at first + offset with weightSecond (0 = untouched):
// pixel = InverseScaleTable[w][pixel] + ScaleTable[w][colour] per channel.
// Weights 0..255; the tables must have been built.
void BlendPixelPair(unsigned char* first, int offset, int weightFirst, int weightSecond, unsigned int colour);

// a * b / c with a 64-bit intermediate, truncated toward zero; quotients
// beyond the int range saturate, and c = 0 gives 0.
int MulDivTruncate(int a, int b, int c);
