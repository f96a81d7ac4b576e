// Draws the two status icons (the small robot, on a transparent or on a green background) and
// writes them as Idle.ico and Active.ico: four images each (32 x 32 and 16 x 16, at 32 and at 8
// bits per pixel), 9062 bytes per file. Run it by hand when the pictures change:
//   make_icons <output folder>
// and commit the two files it wrote (src/ui/icons). With --check it writes nothing and tells
// whether the files in the folder are exactly what it draws (a test runs it so). Plain C++, no
// platform headers, so it builds on the build machine.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Colour {
    std::uint8_t r, g, b, a;  // a: 255 opaque, 0 transparent
};

bool operator==(Colour x, Colour y)
{
    return x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a;
}
bool operator<(Colour x, Colour y)
{
    return std::array{x.a, x.r, x.g, x.b} < std::array{y.a, y.r, y.g, y.b};
}

constexpr Colour Transparent{0, 0, 0, 0};
constexpr Colour ActiveGreen{0, 255, 33, 255};
constexpr Colour Black{0, 0, 0, 255};
constexpr Colour Outline{58, 62, 68, 255};

struct Picture {
    int size;
    std::vector<Colour> pixels;  // top-down rows
};

Colour Grey(int level)
{
    const auto v = static_cast<std::uint8_t>(std::clamp(level, 0, 255));
    // A faint blue tint makes the grey read as metal rather than as paper.
    return {v, v, static_cast<std::uint8_t>(std::clamp(level + 10, 0, 255)), 255};
}

void Put(Picture& p, int x, int y, Colour c)
{
    if (x >= 0 && y >= 0 && x < p.size && y < p.size) p.pixels[y * p.size + x] = c;
}

// Fills the rectangle [x0, x1] x [y0, y1] (inclusive) with shade(x, y).
template <typename Shade>
void Fill(Picture& p, int x0, int y0, int x1, int y1, Shade shade)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) Put(p, x, y, shade(x, y));
}

void FillSolid(Picture& p, int x0, int y0, int x1, int y1, Colour c)
{
    Fill(p, x0, y0, x1, y1, [c](int, int) { return c; });
}

// A box with a one-pixel dark outline and a shaded inside.
template <typename Shade>
void Box(Picture& p, int x0, int y0, int x1, int y1, Shade shade)
{
    FillSolid(p, x0, y0, x1, y1, Outline);
    Fill(p, x0 + 1, y0 + 1, x1 - 1, y1 - 1, shade);
}

// Brushed metal: brightest a third of the way across, darker towards both sides.
auto Metal(int x0, int x1, int bright, int dark)
{
    return [=](int x, int) {
        const double t = (x - x0) / double(std::max(1, x1 - x0));
        const double d = t < 0.35 ? (0.35 - t) / 0.35 : (t - 0.35) / 0.65;
        return Grey(bright - int((bright - dark) * d));
    };
}

// The head: lighter at the top, as if lit from above.
auto HeadShade(int y0, int y1)
{
    return [=](int, int y) {
        const double t = (y - y0) / double(std::max(1, y1 - y0));
        return Grey(215 - int(55 * t));
    };
}

constexpr Colour EyeGreen{40, 220, 60, 255};
constexpr Colour EyeShine{200, 255, 200, 255};
constexpr Colour EyeDark{10, 120, 30, 255};

Picture DrawRobot32(Colour background)
{
    Picture p{32, std::vector<Colour>(32 * 32, background)};
    // Antennae: short stalks with round grey tips.
    FillSolid(p, 11, 3, 11, 5, Outline);
    FillSolid(p, 20, 3, 20, 5, Outline);
    FillSolid(p, 10, 1, 12, 2, Grey(120));
    FillSolid(p, 19, 1, 21, 2, Grey(120));
    Put(p, 10, 1, Grey(200));
    Put(p, 19, 1, Grey(200));
    // Head with eyes and a grille for a mouth.
    Box(p, 7, 5, 24, 15, HeadShade(6, 14));
    for (int ex : {10, 18}) {
        FillSolid(p, ex, 8, ex + 3, 10, EyeGreen);
        FillSolid(p, ex, 11, ex + 3, 11, EyeDark);
        Put(p, ex, 8, EyeShine);
    }
    for (int x = 12; x <= 19; x += 2) Put(p, x, 13, Outline);
    // Neck.
    FillSolid(p, 14, 16, 17, 16, Grey(90));
    // Body of brushed metal with a panel and two rivets.
    Box(p, 9, 17, 22, 26, Metal(10, 21, 235, 120));
    FillSolid(p, 13, 20, 18, 20, Grey(110));
    FillSolid(p, 13, 23, 18, 23, Grey(110));
    Put(p, 11, 19, Grey(90));
    Put(p, 20, 19, Grey(90));
    // Arms: black, from the shoulders down, with hands.
    FillSolid(p, 6, 18, 8, 19, Black);
    FillSolid(p, 5, 18, 6, 24, Black);
    FillSolid(p, 4, 25, 7, 26, Black);
    FillSolid(p, 23, 18, 25, 19, Black);
    FillSolid(p, 25, 18, 26, 24, Black);
    FillSolid(p, 24, 25, 27, 26, Black);
    // Legs and feet.
    FillSolid(p, 11, 27, 13, 29, Black);
    FillSolid(p, 18, 27, 20, 29, Black);
    FillSolid(p, 9, 30, 13, 31, Black);
    FillSolid(p, 18, 30, 22, 31, Black);
    return p;
}

Picture DrawRobot16(Colour background)
{
    Picture p{16, std::vector<Colour>(16 * 16, background)};
    // Antennae.
    Put(p, 5, 1, Outline);
    Put(p, 10, 1, Outline);
    Put(p, 5, 0, Grey(150));
    Put(p, 10, 0, Grey(150));
    // Head and eyes.
    Box(p, 3, 2, 12, 7, HeadShade(3, 6));
    FillSolid(p, 5, 4, 6, 5, EyeGreen);
    FillSolid(p, 9, 4, 10, 5, EyeGreen);
    Put(p, 5, 4, EyeShine);
    Put(p, 9, 4, EyeShine);
    // Body.
    Box(p, 4, 8, 11, 12, Metal(5, 10, 235, 130));
    // Arms, legs.
    FillSolid(p, 2, 8, 3, 11, Black);
    FillSolid(p, 12, 8, 13, 11, Black);
    FillSolid(p, 5, 13, 6, 15, Black);
    FillSolid(p, 9, 13, 10, 15, Black);
    Put(p, 4, 15, Black);
    Put(p, 11, 15, Black);
    return p;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

unsigned RowBytes(int width, int bitCount)
{
    return ((width * bitCount + 31) / 32) * 4;
}

// One image as an icon file holds it: bitmap information header (height doubled for the
// mask), palette for 8 bits, colour rows bottom-up, then the 1-bit mask (1 = transparent).
std::vector<std::uint8_t> EncodeImage(const Picture& p, int bitCount)
{
    const int n = p.size;
    std::vector<Colour> palette;
    if (bitCount == 8) {
        for (Colour c : p.pixels) palette.push_back(c.a ? c : Black);
        std::sort(palette.begin(), palette.end());
        palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
        if (palette.size() > 256) {
            std::fprintf(stderr, "too many colours for an 8-bit image\n");
            std::exit(1);
        }
    }
    const unsigned colourBytes = RowBytes(n, bitCount) * n;
    const unsigned maskBytes = RowBytes(n, 1) * n;
    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, n);
    Put32(out, 2 * n);
    Put16(out, 1);
    Put16(out, bitCount);
    Put32(out, 0);  // uncompressed
    Put32(out, colourBytes + maskBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);  // all 256 palette entries for 8 bits
    Put32(out, 0);
    if (bitCount == 8) {
        for (unsigned i = 0; i < 256; ++i) {
            const Colour c = i < palette.size() ? palette[i] : Colour{0, 0, 0, 0};
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
            out.push_back(0);
        }
    }
    for (int y = n - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < n; ++x) {
            const Colour c = p.pixels[y * n + x];
            if (bitCount == 32) {
                // Transparent pixels are black with alpha 0, as the mask says.
                const Colour s = c.a ? c : Colour{0, 0, 0, 0};
                out.push_back(s.b);
                out.push_back(s.g);
                out.push_back(s.r);
                out.push_back(s.a);
            } else {
                const Colour s = c.a ? c : Black;
                const auto at = std::lower_bound(palette.begin(), palette.end(), s);
                out.push_back(static_cast<std::uint8_t>(at - palette.begin()));
            }
        }
        out.resize(rowStart + RowBytes(n, bitCount), 0);
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(RowBytes(n, 1), 0);
        for (int x = 0; x < n; ++x)
            if (p.pixels[y * n + x].a == 0) row[x / 8] |= 0x80 >> (x % 8);
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<std::uint8_t> EncodeIconFile(Colour background)
{
    const Picture large = DrawRobot32(background);
    const Picture small = DrawRobot16(background);
    const std::array<std::pair<const Picture*, int>, 4> images{{{&large, 32}, {&large, 8}, {&small, 32}, {&small, 8}}};
    std::vector<std::vector<std::uint8_t>> encoded;
    for (auto [picture, bits] : images) encoded.push_back(EncodeImage(*picture, bits));

    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].first->size));
        out.push_back(static_cast<std::uint8_t>(images[i].first->size));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, images[i].second);
        Put32(out, static_cast<std::uint32_t>(encoded[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(encoded[i].size());
    }
    for (const auto& e : encoded) out.insert(out.end(), e.begin(), e.end());
    return out;
}

bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::uint8_t buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return true;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: make_icons [--check] <folder>\n");
        return 2;
    }
    const std::string folder = argv[argc - 1];
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files{
        {folder + "/Idle.ico", EncodeIconFile(Transparent)}, {folder + "/Active.ico", EncodeIconFile(ActiveGreen)}};
    for (const auto& [path, bytes] : files) {
        if (bytes.size() != 9062) {
            std::fprintf(stderr, "unexpected icon file size %zu\n", bytes.size());
            return 1;
        }
        if (check) {
            std::vector<std::uint8_t> committed;
            if (!ReadFile(path, committed) || committed != bytes) {
                std::fprintf(stderr, "%s is not what make_icons draws; run it and commit\n", path.c_str());
                return 1;
            }
        } else if (!WriteFile(path, bytes)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
