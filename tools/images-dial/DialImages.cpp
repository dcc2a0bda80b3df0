// Writes the dial's bitmaps: NumbersImage (numerals 0-23, 16 greys, from a
// grey coverage picture of the numerals) and the two gnomon pictures
// RodBigImage and RodSmallImage (256 colours: a shaded wooden rod on black
// on the left, its mask on the right), at a scale given in percent; the
// files of other scales than 100 carry it in their names (RodBigImage150).
//
//   dial-images numerals.pgm outdir [percent]
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Colour
{
    double r, g, b;
};

void Put16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// An uncompressed bottom-up palette BMP of 4 or 8 bits per pixel.
bool WritePaletteBmp(const std::string& path, int width, int height, int bits, const std::vector<Colour>& palette,
                     const std::vector<uint8_t>& indices)
{
    int rowBytes = ((width * bits + 31) / 32) * 4;
    uint32_t paletteBytes = static_cast<uint32_t>(palette.size()) * 4;
    uint32_t offset = 14 + 40 + paletteBytes;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + rowBytes * height);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, 0);
    Put32(out, rowBytes * height);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, static_cast<uint32_t>(palette.size()));
    Put32(out, 0);
    for (const Colour& c : palette) {
        out.push_back(static_cast<uint8_t>(std::lround(c.b)));
        out.push_back(static_cast<uint8_t>(std::lround(c.g)));
        out.push_back(static_cast<uint8_t>(std::lround(c.r)));
        out.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < width; ++x) {
            uint8_t index = indices[y * width + x];
            if (bits == 8)
                row[x] = index;
            else
                row[x / 2] |= (x & 1) ? index : index << 4;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = fwrite(out.data(), 1, out.size(), file) == out.size();
    return fclose(file) == 0 && ok;
}

// Reads a binary 8-bit PGM.
bool ReadPgm(const char* path, int& width, int& height, std::vector<uint8_t>& grey)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return false;
    int maxValue = 0;
    bool ok = fscanf(file, "P5 %d %d %d", &width, &height, &maxValue) == 3 && maxValue == 255 && fgetc(file) != EOF;
    if (ok) {
        grey.resize(static_cast<size_t>(width) * height);
        ok = fread(grey.data(), 1, grey.size(), file) == grey.size();
    }
    fclose(file);
    return ok;
}

// 16 greys from white (0) to the numerals' dark grey (15), by ink coverage;
// 8 x 3 square cells.
bool WriteNumerals(const char* pgm, const std::string& path)
{
    int width, height;
    std::vector<uint8_t> grey;
    if (!ReadPgm(pgm, width, height, grey) || width % 8 != 0 || width / 8 * 3 != height)
        return false;
    std::vector<Colour> palette;
    for (int i = 0; i < 16; ++i) {
        double v = 255 - i * (255 - 56) / 15.0;
        palette.push_back({v, v, v});
    }
    std::vector<uint8_t> indices(grey.size());
    for (size_t i = 0; i < grey.size(); ++i)
        indices[i] = static_cast<uint8_t>(std::lround((255 - grey[i]) * 15 / 255.0));
    return WritePaletteBmp(path, width, height, 4, palette, indices);
}

// Wood from dark to light, then a highlight; index 0 is black, 255 white.
Colour WoodRamp(double t)
{
    static const Colour stops[] = {{46, 24, 10}, {112, 64, 28}, {178, 118, 60}, {226, 178, 116}, {250, 232, 200}};
    t = std::fmin(std::fmax(t, 0.0), 1.0) * 4;
    int i = std::min(3, static_cast<int>(t));
    double f = t - i;
    const Colour& a = stops[i];
    const Colour& b = stops[i + 1];
    return {a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f};
}

std::vector<Colour> RodPalette()
{
    std::vector<Colour> palette(256);
    palette[0] = {0, 0, 0};
    for (int i = 1; i < 255; ++i)
        palette[i] = WoodRamp((i - 1) / 253.0);
    palette[255] = {255, 255, 255};
    return palette;
}

// Brightness 0..1 of the rod at a point, or -1 outside it. The rod of radius
// r lies along y; its upper end is rounded by a half ellipse of capRows, its
// lower end is a flat disc (an ellipse of the base rows) showing the rings.
// The grain is laid out in pixels of the picture at 100 %, `scale` of them
// to one of this picture's.
double RodShade(double x, double y, double r, int capRows, int baseRow, int height, double scale)
{
    const double lightX = -0.55, lightZ = 0.83;  // from the upper left, above
    double baseHalf = (height - baseRow) / 2.0;
    double baseCentre = baseRow + baseHalf;
    double ex = x / r, ey = (y - baseCentre) / baseHalf;
    if (ex * ex + ey * ey <= 1) {
        // The end disc: end grain rings around the pith, lit face-on.
        double d = std::sqrt(ex * ex + ey * ey);
        double rings = 0.5 + 0.5 * std::cos(d * 9.5 * M_PI);
        return 0.42 + 0.22 * rings - 0.18 * d + 0.12 * (-ex * 0.5 - ey * 0.5);
    }
    if (std::fabs(x) > r)
        return -1;
    double side = std::sqrt(1 - ex * ex);  // the part of the end's ellipse at x
    if (y < capRows * (1 - side) || y > baseCentre)
        return -1;
    // The side of the cylinder: Lambert light over its round cross-section,
    // a highlight, and grain running along the rod.
    double nz = side;
    double diffuse = std::fmax(0.0, ex * lightX + nz * lightZ);
    double highlight = std::pow(std::fmax(0.0, 1 - std::fabs(ex + 0.35) * 3.2), 3);
    double gx = x / scale, gy = y / scale;
    double grain = 0.06 * std::sin(gx * 2.3 + std::sin(gy * 0.11) * 1.7) + 0.04 * std::sin(gx * 5.1 + gy * 0.05);
    double endShade = y < capRows ? -0.08 * (1 - y / static_cast<double>(capRows)) : 0;
    return 0.12 + 0.62 * diffuse + 0.28 * highlight + grain + endShade;
}

// Measures of a rod picture at 100 %, pixels: half its width (the picture's
// own), its height, the rows of its rounded top and the first row of its
// base disc.
struct RodSize
{
    int half, height, capRows, baseRow;
};
const RodSize BIG_ROD = {22, 122, 8, 109};
const RodSize SMALL_ROD = {15, 90, 4, 80};

int Scaled(int length, int percent)
{
    return static_cast<int>(std::lround(length * percent / 100.0));
}

// Picture on the left half, mask on the right half; 4 x 4 samples a pixel.
bool WriteRod(const std::string& path, const RodSize& size, int percent)
{
    const int half = Scaled(size.half, percent);
    const int width = half * 2;
    const int height = Scaled(size.height, percent);
    const int capRows = Scaled(size.capRows, percent);
    const int baseRow = Scaled(size.baseRow, percent);
    const double scale = percent / 100.0;
    // As wide as the shadow band, whose round end at the foot it covers.
    const double r = half / 2.0;
    std::vector<uint8_t> indices(static_cast<size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < half; ++x) {
            double sum = 0;
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    double shade = RodShade(x + (sx + 0.5) / 4 - half / 2.0, y + (sy + 0.5) / 4, r, capRows, baseRow,
                                            height, scale);
                    if (shade >= 0) {
                        sum += shade;
                        ++inside;
                    }
                }
            // The mask is black only where most of the pixel is rod, and the
            // picture is black wherever the mask is white.
            bool rod = inside >= 8;
            indices[y * width + x] =
                rod ? static_cast<uint8_t>(1 + std::lround(std::fmin(sum / inside, 1.0) * 253)) : 0;
            indices[y * width + half + x] = rod ? 0 : 255;
        }
    }
    return WritePaletteBmp(path, width, height, 8, RodPalette(), indices);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        fprintf(stderr, "usage: dial-images numerals.pgm outdir [percent]\n");
        return 2;
    }
    int percent = argc == 4 ? atoi(argv[3]) : 100;
    if (percent <= 0) {
        fprintf(stderr, "dial-images: the scale is a positive percentage\n");
        return 2;
    }
    std::string suffix = percent == 100 ? "" : std::to_string(percent);
    std::string outdir = argv[2];
    if (!WriteNumerals(argv[1], outdir + "/NumbersImage" + suffix + ".bmp") ||
        !WriteRod(outdir + "/RodBigImage" + suffix + ".bmp", BIG_ROD, percent) ||
        !WriteRod(outdir + "/RodSmallImage" + suffix + ".bmp", SMALL_ROD, percent)) {
        fprintf(stderr, "dial-images: cannot read the numerals or write the bitmaps\n");
        return 1;
    }
    return 0;
}
