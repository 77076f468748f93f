// make-pictures: draws every picture of the game and writes them as .bmp and .ico files.
//
//   make-pictures <resources folder>
//
// writes tiles.bmp, baricons.bmp, toolbar.bmp and hanabo.ico into the folder,
// the folder browser's drive and folder pictures into its browser/ subfolder
// and the tile sets shipped beside the program into its ship/ subfolder. The
// drawing uses only exact arithmetic and square roots, so the files come out
// the same byte for byte on every run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- colours

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb MakeRgb(double r, double g, double b)
{
    Rgb c;
    c.r = r;
    c.g = g;
    c.b = b;
    return c;
}

Rgb Mix(Rgb a, Rgb b, double t) { return MakeRgb(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t); }
Rgb Scale(Rgb a, double k) { return MakeRgb(a.r * k, a.g * k, a.b * k); }
Rgb Add(Rgb a, Rgb b) { return MakeRgb(a.r + b.r, a.g + b.g, a.b + b.b); }

const Rgb White = MakeRgb(1, 1, 1);
const Rgb Black = MakeRgb(0, 0, 0);

int Channel(double v)
{
    const double c = v < 0 ? 0 : (v > 1 ? 1 : v);
    return static_cast<int>(c * 255.0 + 0.5);
}

std::uint32_t Pack(Rgb c) { return (Channel(c.r) << 16) | (Channel(c.g) << 8) | Channel(c.b); }

std::uint32_t Pack8(int r, int g, int b) { return (r << 16) | (g << 8) | b; }

// ---------------------------------------------------------------- exact maths

const double Pi = 3.14159265358979323846;

double Sin(double x)
{
    while (x > Pi)
        x -= 2 * Pi;
    while (x < -Pi)
        x += 2 * Pi;
    double term = x, sum = x;
    for (int n = 1; n < 12; ++n) {
        term *= -x * x / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

double Cos(double x) { return Sin(x + Pi / 2); }

double Sqrt(double x) { return x <= 0 ? 0 : __builtin_sqrt(x); }

double Clamp(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }

double Power(double x, int n)
{
    double r = 1;
    for (int i = 0; i < n; ++i)
        r *= x;
    return r;
}

double Smooth(double t)
{
    t = Clamp(t, 0, 1);
    return t * t * (3 - 2 * t);
}

// Noise in [0, 1) from integer coordinates.
double Noise(int x, int y, int seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777216.0;
}

// ---------------------------------------------------------------- images

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
    std::vector<std::uint8_t> alpha;    // only for icons
};

Image MakeImage(int width, int height, std::uint32_t fill = 0)
{
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * height, fill);
    image.alpha.assign(static_cast<std::size_t>(width) * height, 255);
    return image;
}

void Put(Image& image, int x, int y, std::uint32_t c)
{
    if (x >= 0 && y >= 0 && x < image.width && y < image.height)
        image.pixels[static_cast<std::size_t>(y) * image.width + x] = c;
}

// A shader gives the colour at a point of a size × size square, and how much
// of a foreground covers it (for icon transparency).
struct Sample {
    Rgb colour;
    double cover = 1;
};

// Renders one square at (left, top) of side `size`, 4 × 4 samples a pixel.
template <typename Shader>
void RenderSquare(Image& image, int left, int top, int size, Shader shade)
{
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Rgb sum;
            double cover = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i) {
                    Sample s = shade(x + (i + 0.5) / 4, y + (j + 0.5) / 4, x, y);
                    sum = Add(sum, s.colour);
                    cover += s.cover;
                }
            Put(image, left + x, top + y, Pack(Scale(sum, 1.0 / 16)));
            image.alpha[static_cast<std::size_t>(top + y) * image.width + left + x] =
                static_cast<std::uint8_t>(Channel(cover / 16));
        }
}

// ---------------------------------------------------------------- file writing

void Le16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Le32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Le16(out, v & 0xFFFF);
    Le16(out, v >> 16);
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    if (f == nullptr)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// Chooses at most 256 colours for a picture: its own colours when it has so
// few, else a median cut weighted by how often each colour occurs.
std::vector<std::uint32_t> ChoosePalette(const Image& image)
{
    std::map<std::uint32_t, int> counts;
    for (std::uint32_t c : image.pixels)
        ++counts[c];
    // Pure black keeps an entry of its own and stands for nothing else, so
    // that the black and non-black pixels of a SetTag survive.
    std::vector<std::uint32_t> palette;
    std::size_t room = 256;
    if (counts.erase(0) != 0 || counts.empty()) {
        palette.push_back(0);
        room = 255;
    }
    std::vector<std::pair<std::uint32_t, int>> colours(counts.begin(), counts.end());
    if (colours.size() <= room) {
        for (auto& c : colours)
            palette.push_back(c.first);
        return palette;
    }
    struct Box {
        std::size_t begin, end;
    };
    auto part = [](std::uint32_t c, int ch) { return static_cast<int>((c >> (16 - 8 * ch)) & 0xFF); };
    auto range = [&](const Box& box, int* channel) {
        int best = -1;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (std::size_t i = box.begin; i < box.end; ++i) {
                lo = std::min(lo, part(colours[i].first, ch));
                hi = std::max(hi, part(colours[i].first, ch));
            }
            if (hi - lo > best) {
                best = hi - lo;
                *channel = ch;
            }
        }
        return best;
    };
    std::vector<Box> boxes{{0, colours.size()}};
    while (boxes.size() < room) {
        std::size_t pick = boxes.size();
        double pickScore = 0;
        int pickChannel = 0;
        for (std::size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].end - boxes[b].begin < 2)
                continue;
            int channel = 0;
            long long weight = 0;
            for (std::size_t i = boxes[b].begin; i < boxes[b].end; ++i)
                weight += colours[i].second;
            const double score = range(boxes[b], &channel) * Sqrt(static_cast<double>(weight));
            if (score > pickScore) {
                pickScore = score;
                pick = b;
                pickChannel = channel;
            }
        }
        if (pick == boxes.size())
            break;
        Box box = boxes[pick];
        std::stable_sort(colours.begin() + box.begin, colours.begin() + box.end,
                         [&](const std::pair<std::uint32_t, int>& a, const std::pair<std::uint32_t, int>& b) {
                             return part(a.first, pickChannel) < part(b.first, pickChannel);
                         });
        long long total = 0, run = 0;
        for (std::size_t i = box.begin; i < box.end; ++i)
            total += colours[i].second;
        std::size_t cut = box.begin + 1;
        for (std::size_t i = box.begin; i < box.end - 1; ++i) {
            run += colours[i].second;
            cut = i + 1;
            if (2 * run >= total)
                break;
        }
        boxes[pick] = Box{box.begin, cut};
        boxes.push_back(Box{cut, box.end});
    }
    for (const Box& box : boxes) {
        double r = 0, g = 0, b = 0, n = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) {
            const double w = colours[i].second;
            r += part(colours[i].first, 0) * w;
            g += part(colours[i].first, 1) * w;
            b += part(colours[i].first, 2) * w;
            n += w;
        }
        palette.push_back(Pack8(static_cast<int>(r / n + 0.5), static_cast<int>(g / n + 0.5),
                                static_cast<int>(b / n + 0.5)));
    }
    std::sort(palette.begin(), palette.end());
    palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
    return palette;
}

int Nearest(const std::vector<std::uint32_t>& palette, std::uint32_t c)
{
    int best = 0;
    long long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        if (palette[i] == 0 && c != 0)
            continue;
        long long d = 0;
        for (int ch = 0; ch < 3; ++ch) {
            const long long a = (c >> (8 * ch)) & 0xFF, b = (palette[i] >> (8 * ch)) & 0xFF;
            d += (a - b) * (a - b);
        }
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

// A .bmp file with a colour table of `tableSize` entries (16 or 256) and
// 4 or 8 bits a pixel.
std::vector<std::uint8_t> BmpBytes(const Image& image, std::vector<std::uint32_t> palette, int bits)
{
    const std::size_t tableSize = bits == 4 ? 16 : 256;
    std::map<std::uint32_t, int> index;
    for (std::uint32_t c : image.pixels)
        if (index.find(c) == index.end())
            index[c] = Nearest(palette, c);
    palette.resize(tableSize, 0);
    const std::uint32_t stride = (bits * image.width + 31) / 32 * 4;
    const std::uint32_t imageSize = stride * image.height;
    const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(tableSize);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Le32(out, offset + imageSize);
    Le32(out, 0);
    Le32(out, offset);
    Le32(out, 40);
    Le32(out, image.width);
    Le32(out, image.height);
    Le16(out, 1);
    Le16(out, bits);
    Le32(out, 0);
    Le32(out, imageSize);
    Le32(out, 2835);
    Le32(out, 2835);
    Le32(out, static_cast<std::uint32_t>(tableSize));
    Le32(out, 0);
    for (std::uint32_t c : palette) {
        out.push_back(c & 0xFF);
        out.push_back((c >> 8) & 0xFF);
        out.push_back((c >> 16) & 0xFF);
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < image.width; ++x) {
            const int i = index[image.pixels[static_cast<std::size_t>(y) * image.width + x]];
            if (bits == 8)
                row[x] = static_cast<std::uint8_t>(i);
            else
                row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? i << 4 : i);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// The sixteen colours of the classic 16-colour palette, in their usual order.
const std::vector<std::uint32_t> Sixteen = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};
enum : std::uint32_t {
    KBlack = 0x000000, KMaroon = 0x800000, KGreen = 0x008000, KOlive = 0x808000, KNavy = 0x000080,
    KPurple = 0x800080, KTeal = 0x008080, KSilver = 0xC0C0C0, KGrey = 0x808080, KRed = 0xFF0000,
    KLime = 0x00FF00, KYellow = 0xFFFF00, KBlue = 0x0000FF, KFuchsia = 0xFF00FF, KAqua = 0x00FFFF,
    KWhite = 0xFFFFFF,
};

// An icon file of 32-bit images with their transparency masks.
std::vector<std::uint8_t> IcoBytes(const std::vector<Image>& images)
{
    std::vector<std::uint8_t> out;
    Le16(out, 0);
    Le16(out, 1);
    Le16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const Image& image : images) {
        std::vector<std::uint8_t> body;
        const std::uint32_t maskStride = (image.width + 31) / 32 * 4;
        Le32(body, 40);
        Le32(body, image.width);
        Le32(body, 2 * image.height);
        Le16(body, 1);
        Le16(body, 32);
        Le32(body, 0);
        Le32(body, image.width * image.height * 4 + maskStride * image.height);
        for (int i = 0; i < 4; ++i)
            Le32(body, 0);
        for (int y = image.height - 1; y >= 0; --y)
            for (int x = 0; x < image.width; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * image.width + x;
                const std::uint32_t c = image.pixels[i];
                body.push_back(c & 0xFF);
                body.push_back((c >> 8) & 0xFF);
                body.push_back((c >> 16) & 0xFF);
                body.push_back(image.alpha[i]);
            }
        for (int y = image.height - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(maskStride, 0);
            for (int x = 0; x < image.width; ++x)
                if (image.alpha[static_cast<std::size_t>(y) * image.width + x] < 128)
                    row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            body.insert(body.end(), row.begin(), row.end());
        }
        out.push_back(static_cast<std::uint8_t>(image.width));
        out.push_back(static_cast<std::uint8_t>(image.height));
        out.push_back(0);
        out.push_back(0);
        Le16(out, 1);
        Le16(out, 32);
        Le32(out, static_cast<std::uint32_t>(body.size()));
        Le32(out, offset);
        offset += static_cast<std::uint32_t>(body.size());
        bodies.push_back(body);
    }
    for (auto& body : bodies)
        out.insert(out.end(), body.begin(), body.end());
    return out;
}

// ---------------------------------------------------------------- shading

// Light from the upper left, towards the viewer (y grows downwards).
const double LightX = -0.48, LightY = -0.58, LightZ = 0.66;

// Lit colour of a surface with normal (nx, ny, nz).
Rgb Lit(Rgb base, double nx, double ny, double nz, double ambient, double shine, int sharpness)
{
    const double length = Sqrt(nx * nx + ny * ny + nz * nz);
    nx /= length;
    ny /= length;
    nz /= length;
    const double diffuse = std::max(0.0, nx * LightX + ny * LightY + nz * LightZ);
    const double dot = nx * LightX + ny * LightY + nz * LightZ;
    const double reflectZ = 2 * dot * nz - LightZ;
    const double specular = reflectZ > 0 ? Power(reflectZ, sharpness) : 0;
    return Add(Scale(base, ambient + (1 - ambient) * 1.15 * diffuse), Scale(White, shine * specular));
}

// A ball of radius r centred at (cx, cy): its lit colour at (x, y), or
// nothing (cover 0) outside it.
bool BallAt(double x, double y, double cx, double cy, double r, Rgb base, Rgb* out, double shine = 0.8)
{
    const double dx = (x - cx) / r, dy = (y - cy) / r, d2 = dx * dx + dy * dy;
    if (d2 >= 1)
        return false;
    const double dz = Sqrt(1 - d2);
    Rgb c = Lit(base, dx, dy, dz, 0.22, shine, 28);
    // a little light bounced up from the ground onto the lower rim
    c = Add(c, Scale(base, 0.18 * Clamp(dy - 0.4, 0, 1) * (1 - dz)));
    *out = c;
    return true;
}

// Signed distance (negative inside) to the shapes of the shape tiles, for a
// shape of "radius" r centred at the origin; y grows downwards.
enum Shape { ShapeCircle, ShapeSquare, ShapeTriangle, ShapeDiamond, ShapeStar };

double Length(double x, double y) { return Sqrt(x * x + y * y); }

double ShapeDistance(Shape shape, double x, double y, double r)
{
    switch (shape) {
    case ShapeCircle:
        return Length(x, y) - r;
    case ShapeSquare: {
        const double s = r * 0.82, round = r * 0.18;
        const double qx = std::abs(x) - s + round, qy = std::abs(y) - s + round;
        return Length(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - round;
    }
    case ShapeTriangle: {
        const double k = Sqrt(3.0);
        const double side = r * 1.05;
        double px = std::abs(x) - side, py = -(y - r * 0.18) + side / k;
        if (px + k * py > 0) {
            const double nx = (px - k * py) / 2, ny = (-k * px - py) / 2;
            px = nx;
            py = ny;
        }
        px -= Clamp(px, -2 * side, 0);
        return -Length(px, py) * (py < 0 ? -1 : 1);
    }
    case ShapeDiamond:
        return (std::abs(x) * 0.85 + std::abs(y) - r * 1.02) / Sqrt(1 + 0.85 * 0.85);
    case ShapeStar: {
        const double k1x = 0.809016994375, k1y = -0.587785252292;
        const double k2x = -k1x, k2y = k1y;
        double px = std::abs(x), py = -y + r * 0.08;
        double d = std::max(k1x * px + k1y * py, 0.0);
        px -= 2 * d * k1x;
        py -= 2 * d * k1y;
        d = std::max(k2x * px + k2y * py, 0.0);
        px -= 2 * d * k2x;
        py -= 2 * d * k2y;
        px = std::abs(px);
        const double rr = r * 1.12;
        py -= rr;
        const double rf = 0.48;
        const double bax = rf * -k1y - 0, bay = rf * k1x - 1;
        const double h = Clamp((px * bax + py * bay) / (bax * bax + bay * bay), 0, rr);
        const double ex = px - bax * h, ey = py - bay * h;
        return Length(ex, ey) * ((py * bax - px * bay) < 0 ? -1 : 1);
    }
    }
    return 1;
}

// A bevelled shape: lit colour at (x, y) of a shape centred at (cx, cy).
bool ShapeAt(Shape shape, double x, double y, double cx, double cy, double r, Rgb base, Rgb* out)
{
    const double d = ShapeDistance(shape, x - cx, y - cy, r);
    if (d >= 0)
        return false;
    const double bevel = r * 0.32;
    const double e = 0.05;
    const double gx = ShapeDistance(shape, x - cx + e, y - cy, r) - ShapeDistance(shape, x - cx - e, y - cy, r);
    const double gy = ShapeDistance(shape, x - cx, y - cy + e, r) - ShapeDistance(shape, x - cx, y - cy - e, r);
    const double glen = Length(gx, gy);
    double nx = 0, ny = 0;
    if (-d < bevel && glen > 0) {
        const double slope = 1.4 * (1 - (-d / bevel));
        nx = gx / glen * slope;
        ny = gy / glen * slope;
    }
    *out = Lit(base, nx, ny, 1, 0.3, 0.55, 12);
    return true;
}

// ---------------------------------------------------------------- backgrounds

// The grey brick wall of the built-in blank tile, at pixel (px, py) of a
// 32 × 32 square.
Rgb BrickWall(int px, int py, int seed)
{
    const int course = py / 8, yIn = py % 8;
    const int shift = course % 2 == 0 ? 0 : 8;
    const int xIn = (px + shift) % 16;
    const double speckle = Noise(px, py, seed) - 0.5;
    if (yIn == 7 || xIn == 15)
        return MakeRgb(0.38 + 0.05 * speckle, 0.38 + 0.05 * speckle, 0.4 + 0.05 * speckle);  // mortar
    const int brick = ((px + shift) / 16) * 7 + course * 3;
    const double tone = 0.66 + 0.07 * (Noise(brick, course, seed + 1) - 0.5) + 0.09 * speckle;
    Rgb c = MakeRgb(tone, tone, tone * 1.02);
    if (yIn == 0 || xIn == 0)
        c = Scale(c, 1.12);
    else if (yIn == 6 || xIn == 14)
        c = Scale(c, 0.84);
    return c;
}

// A wall darkened by the shadow of a ball standing in front of it.
Rgb ShadowedWall(int px, int py, int seed, double cx, double cy, double r)
{
    Rgb wall = BrickWall(px, py, seed);
    const double dx = (px + 0.5 - cx - r * 0.16) / (r * 1.02), dy = (py + 0.5 - cy - r * 0.2) / (r * 1.0);
    const double d = Sqrt(dx * dx + dy * dy);
    return Scale(wall, 1 - 0.42 * (1 - Smooth((d - 0.8) / 0.35)));
}

// ---------------------------------------------------------------- the built-in plain set

const Rgb BallColours[5] = {
    MakeRgb(0.42, 0.74, 1.0),   // light blue
    MakeRgb(1.0, 0.56, 0.08),   // orange
    MakeRgb(0.92, 0.1, 0.1),    // red
    MakeRgb(0.14, 0.72, 0.18),  // green
    MakeRgb(0.1, 0.16, 0.72),   // dark blue
};

// Ball tile t (1..5) or the blank tile (t 0) of the built-in set, plain or highlighted.
void DrawBuiltInTile(Image& image, int left, int top, int t, bool highlighted)
{
    const double cx = 16, cy = 16, r = 13.2;
    RenderSquare(image, left, top, 32, [&](double x, double y, int px, int py) {
        Sample s;
        Rgb ball;
        if (t == 0) {
            s.colour = BrickWall(px, py, 7);
        } else if (BallAt(x, y, cx, cy, r, highlighted ? Scale(BallColours[t - 1], 0.62) : BallColours[t - 1], &ball,
                          highlighted ? 0.45 : 0.8)) {
            if (highlighted) {
                const double dx = (x - cx) / r, dy = (y - cy) / r;
                // a bright streak above the centre and a black one below it
                if (std::abs(dy + 0.42) < 0.11 && std::abs(dx) < 0.5 - 0.3 * std::abs(dy + 0.42))
                    ball = Mix(ball, MakeRgb(1, 1, 0.92), 0.9);
                else if (std::abs(dy - 0.42) < 0.11 && std::abs(dx) < 0.5 - 0.3 * std::abs(dy - 0.42))
                    ball = Black;
            }
            s.colour = ball;
        } else {
            s.colour = ShadowedWall(px, py, 7, cx, cy, r);
        }
        return s;
    });
}

// A plain set: the blank tile and five tiles across, their highlighted
// pictures in the row below.
Image PlainSet(void (*drawTile)(Image&, int, int, int, bool))
{
    Image image = MakeImage(192, 64);
    for (int band = 0; band < 2; ++band)
        for (int t = 0; t <= 5; ++t)
            drawTile(image, 32 * t, 32 * band, t, band == 1);
    return image;
}

// ---------------------------------------------------------------- 16-colour pixel art

// Draws a picture given as rows of characters, each a colour of `key`.
void DrawPattern(Image& image, int left, int top, const std::vector<std::string>& rows,
                 const std::map<char, std::uint32_t>& key)
{
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            auto found = key.find(rows[y][x]);
            if (found != key.end())
                Put(image, left + static_cast<int>(x), top + static_cast<int>(y), found->second);
        }
}

const std::map<char, std::uint32_t> PatternKey = {
    {'K', KBlack}, {'W', KWhite}, {'G', KGrey}, {'S', KSilver}, {'R', KRed}, {'M', KMaroon},
    {'Y', KYellow}, {'O', KOlive}, {'B', KBlue}, {'N', KNavy}, {'L', KLime}, {'E', KGreen},
    {'A', KAqua}, {'T', KTeal}, {'P', KPurple}, {'F', KFuchsia},
};

// Letters of the bar label, 5 × 7.
const std::map<char, std::vector<std::string>> Letters = {
    {'S', {".###.", "#...#", "#....", ".###.", "....#", "#...#", ".###."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
};

// The bar icons: a pointing hand and the word "SCORE", on the button face.
Image BarIcons()
{
    Image image = MakeImage(60, 20, KSilver);
    DrawPattern(image, 1, 1,
                {
                    "......KK..........",
                    ".....KWWK.........",
                    ".....KWWK.........",
                    ".....KWWK.........",
                    ".....KWWK.........",
                    ".....KWWKKK.......",
                    ".....KWWKWWKKK....",
                    ".....KWWKWWKWWKK..",
                    "..KK.KWWKWWKWWKWK.",
                    ".KWWKKWWWWWWWWKWK.",
                    ".KWWWKWWWWWWWWWWK.",
                    "..KWWWWWWWWWWWWGK.",
                    "...KWWWWWWWWWWWGK.",
                    "...KWWWWWWWWWWGK..",
                    "....KWWWWWWWWWGK..",
                    ".....KWWWWWWWGK...",
                    ".....KWWWWWWWGK...",
                    ".....KKKKKKKKKK...",
                },
                PatternKey);
    const char* word = "SCORE";
    for (int i = 0; i < 5; ++i) {
        const auto& letter = Letters.at(word[i]);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x)
                if (letter[y][x] == '#')
                    for (int dy = 0; dy < 2; ++dy)
                        for (int dx = 0; dx < 2; ++dx) {
                            // a grey shadow below and to the right, then the letter
                            Put(image, 20 + 3 + 7 * i + x + dx + 1, 3 + 2 * y + dy + 1, KGrey);
                        }
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 5; ++x)
                if (letter[y][x] == '#')
                    for (int dy = 0; dy < 2; ++dy)
                        for (int dx = 0; dx < 2; ++dx)
                            Put(image, 20 + 3 + 7 * i + x + dx, 3 + 2 * y + dy, KNavy);
    }
    return image;
}

// The six toolbar images, 16 × 16 each, on silver (which the program turns
// into the button face).
Image ToolbarImages()
{
    Image image = MakeImage(96, 16, KSilver);
    // 0: coloured balls
    DrawPattern(image, 0, 0,
                {
                    "................",
                    ".....KKKK.......",
                    "....KRWRRK......",
                    "...KRWRRRMK.....",
                    "...KRRRRRMK.....",
                    "...KRRRRMMK.....",
                    "....KMMMMK......",
                    "..KKKKKKKKKKK...",
                    ".KBWBBBKKLWLLLK.",
                    "KBWBBBBNKLLLLLEK",
                    "KBBBBBBNKLLLLLEK",
                    "KBBBBBNNKLLLLEEK",
                    "KBBBBNNNKLLLEEEK",
                    ".KNNNNNK.KEEEEK.",
                    "..KKKKK...KKKK..",
                    "................",
                },
                PatternKey);
    // 1: a flag with a 1
    DrawPattern(image, 16, 0,
                {
                    "..KK............",
                    "..KWKKKKKKKKKK..",
                    "..KWRRRRRRRRRK..",
                    "..KWRRRRWWRRRK..",
                    "..KWRRRWWWRRRK..",
                    "..KWRRRRWWRRRK..",
                    "..KWRRRRWWRRRK..",
                    "..KWRRRRWWRRRK..",
                    "..KWRRRWWWWRRK..",
                    "..KWKKKKKKKKKK..",
                    "..KWK...........",
                    "..KWK...........",
                    "..KWK...........",
                    "..KWK...........",
                    ".KKKKK..........",
                    "KGGGGGK.........",
                },
                PatternKey);
    // 2: double left arrow
    DrawPattern(image, 32, 0,
                {
                    "................",
                    "................",
                    "......K......K..",
                    ".....KK.....KK..",
                    "....KNK....KNK..",
                    "...KNNK...KNNK..",
                    "..KNNNK..KNNNK..",
                    ".KNNNNK.KNNNNK..",
                    ".KNNNNK.KNNNNK..",
                    "..KNNNK..KNNNK..",
                    "...KNNK...KNNK..",
                    "....KNK....KNK..",
                    ".....KK.....KK..",
                    "......K......K..",
                    "................",
                    "................",
                },
                PatternKey);
    // 3: left arrow
    DrawPattern(image, 48, 0,
                {
                    "................",
                    "................",
                    "......K.........",
                    ".....KK.........",
                    "....KEK.........",
                    "...KEEKKKKKKKK..",
                    "..KEEEEEEEEEEK..",
                    ".KEEEEEEEEEEEK..",
                    ".KEEEEEEEEEEEK..",
                    "..KEEEEEEEEEEK..",
                    "...KEEKKKKKKKK..",
                    "....KEK.........",
                    ".....KK.........",
                    "......K.........",
                    "................",
                    "................",
                },
                PatternKey);
    // 4: right arrow
    DrawPattern(image, 64, 0,
                {
                    "................",
                    "................",
                    ".........K......",
                    ".........KK.....",
                    ".........KEK....",
                    "..KKKKKKKKEEK...",
                    "..KEEEEEEEEEEK..",
                    "..KEEEEEEEEEEEK.",
                    "..KEEEEEEEEEEEK.",
                    "..KEEEEEEEEEEK..",
                    "..KKKKKKKKEEK...",
                    ".........KEK....",
                    ".........KK.....",
                    ".........K......",
                    "................",
                    "................",
                },
                PatternKey);
    // 5: spanner and screwdriver, crossed
    DrawPattern(image, 80, 0,
                {
                    "KK..........KK..",
                    "KYK........KWGK.",
                    ".KYK......KWGK..",
                    "..KYK....KWGK.K.",
                    "...KYK..KWGGKKGK",
                    "....KGKKWGGGGGGK",
                    ".....KGKGGGGGGK.",
                    "......KGGGKKKK..",
                    ".....KWGKGK.....",
                    "....KWGK.KRK....",
                    "...KWGK...KRRK..",
                    "..KWGK....KRRRK.",
                    ".KWGK......KRRRK",
                    "KWGK........KRRK",
                    "KGK..........KK.",
                    ".K..............",
                },
                PatternKey);
    return image;
}

// The program icon: three balls, at a given size, transparent around them.
Image ProgramIcon(int size)
{
    Image image = MakeImage(size, size);
    const double k = size / 32.0;
    struct Ball {
        double x, y, r;
        int colour;
    };
    const Ball balls[3] = {{10.5, 21, 9.5, 0}, {22, 21, 9.5, 3}, {16, 11, 9.5, 2}};
    RenderSquare(image, 0, 0, size, [&](double x, double y, int, int) {
        Sample s;
        s.cover = 0;
        for (const Ball& b : balls) {
            Rgb c;
            if (BallAt(x / k, y / k, b.x, b.y, b.r, BallColours[b.colour], &c)) {
                s.colour = c;
                s.cover = 1;
            }
        }
        return s;
    });
    // fully transparent pixels carry black, as icon editors leave them
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        if (image.alpha[i] == 0)
            image.pixels[i] = 0;
    return image;
}

// ---------------------------------------------------------------- the road set

// Grass with small tufts.
Rgb Grass(int px, int py, int seed, bool highlighted)
{
    const double n = Noise(px, py, seed);
    Rgb c = MakeRgb(0.3 + 0.08 * n, 0.6 + 0.12 * n, 0.22 + 0.05 * n);
    if (Noise(px / 2, py / 2, seed + 5) > 0.93)
        c = Scale(c, 0.8);
    return highlighted ? Mix(c, MakeRgb(0.95, 0.9, 0.45), 0.45) : c;
}

double SegmentDistance(double x, double y, double ax, double ay, double bx, double by)
{
    const double vx = bx - ax, vy = by - ay;
    const double h = Clamp(((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy), 0, 1);
    return Length(x - ax - vx * h, y - ay - vy * h);
}

// Road tile n (connectors: 1 up, 2 down, 4 right, 8 left) at (left, top).
void DrawRoadTile(Image& image, int left, int top, int n, bool highlighted)
{
    const double c = 16, half = 6.5;
    const double ends[4][2] = {{16, -1}, {16, 33}, {33, 16}, {-1, 16}};
    RenderSquare(image, left, top, 32, [&](double x, double y, int px, int py) {
        Sample s;
        s.colour = Grass(px, py, 11, highlighted);
        if (n == 0)
            return s;
        double d = 99, line = 99;
        for (int k = 0; k < 4; ++k)
            if (n & (1 << k)) {
                d = std::min(d, SegmentDistance(x, y, c, c, ends[k][0], ends[k][1]));
                line = std::min(line, SegmentDistance(x, y, c, c, ends[k][0], ends[k][1]));
            }
        if (d < half + 1.2) {
            // a kerb, then the asphalt with a dashed centre line
            Rgb asphalt = highlighted ? MakeRgb(0.86, 0.5, 0.12) : MakeRgb(0.36, 0.36, 0.38);
            asphalt = Scale(asphalt, 0.92 + 0.16 * Noise(px, py, 13));
            const Rgb kerb = highlighted ? MakeRgb(1, 0.95, 0.7) : MakeRgb(0.82, 0.82, 0.8);
            s.colour = d < half ? asphalt : kerb;
            const double along = std::abs(x - c) + std::abs(y - c);
            const Rgb paint = highlighted ? MakeRgb(0.35, 0.12, 0.0) : MakeRgb(1, 1, 0.88);
            if (line < 0.9 && (static_cast<int>(along) % 8 < 4 || along < 2.5))
                s.colour = paint;
        }
        return s;
    });
}

Image RoadSet()
{
    Image image = MakeImage(256, 128);
    for (int n = 0; n < 16; ++n) {
        DrawRoadTile(image, 32 * (n % 8), 32 * (n / 8), n, false);
        DrawRoadTile(image, 32 * (n % 8), 32 * (2 + n / 8), n, true);
    }
    return image;
}

// ---------------------------------------------------------------- animated 24: marbles

Rgb SlateTile(int px, int py, int size, int seed)
{
    const double n = Noise(px, py, seed);
    Rgb c = MakeRgb(0.2 + 0.04 * n, 0.23 + 0.04 * n, 0.3 + 0.05 * n);
    if (px == 0 || py == 0)
        c = Scale(c, 1.35);
    if (px == size - 1 || py == size - 1)
        c = Scale(c, 0.6);
    return c;
}

// A marble of colour t bouncing (phase 0..1 of the loop) or vanishing
// (vanish 0..1: it shrinks, whitens and bursts into sparkles).
void DrawMarble(Image& image, int left, int top, int t, double bounce, double vanish)
{
    const int size = 24;
    const double r0 = 9.6;
    const double lift = 3.2 * Sin(Pi * bounce);
    const double squash = 1 - 0.12 * Clamp(1 - 4 * bounce, 0, 1) - 0.12 * Clamp(4 * bounce - 3, 0, 1);
    const double r = r0 * (1 - vanish);
    const double cy = 12.5 - lift + (r0 - r) * 0.3;
    RenderSquare(image, left, top, size, [&](double x, double y, int px, int py) {
        Sample s;
        s.colour = SlateTile(px, py, size, 21);
        // the shadow stays on the ground
        const double sx = (x - 12.6) / (r0 * (1 - 0.15 * lift / 3.2)), sy = (y - 21) / 2.4;
        if (vanish < 0.5 && sx * sx + sy * sy < 1)
            s.colour = Scale(s.colour, 0.65);
        Rgb ball;
        if (r > 0.3) {
            const double ry = r * squash, rx = r / squash;
            const double dx = (x - 12) * r / rx, dy = (y - cy - (r - ry)) * r / ry;
            if (BallAt(12 + dx, cy + dy, 12, cy, r, Mix(BallColours[t - 1], White, 0.8 * vanish * vanish), &ball))
                s.colour = ball;
        }
        if (vanish > 0) {
            // eight sparkles flying outwards
            for (int k = 0; k < 8; ++k) {
                const double a = k * Pi / 4 + 0.3;
                const double dist = 3 + 11 * vanish;
                const double fx = 12 + dist * Cos(a), fy = 12.5 + dist * Sin(a);
                const double dd = std::abs(x - fx) + std::abs(y - fy);
                if (dd < 1.8 * (1 - vanish) + 0.4)
                    s.colour = Mix(BallColours[t - 1], White, 0.6);
            }
        }
        return s;
    });
}

Image Marbles24()
{
    const int frames = 8;
    Image image = MakeImage(24 * frames, 384);
    for (int f = 0; f < frames; ++f)
        RenderSquare(image, 24 * f, 0, 24, [&](double, double, int px, int py) {
            Sample s;
            s.colour = SlateTile(px, py, 24, 21);
            return s;
        });
    for (int t = 1; t <= 5; ++t)
        for (int f = 0; f < frames; ++f) {
            DrawMarble(image, 24 * f, 24 * (3 * t - 2), t, 0, 0);
            DrawMarble(image, 24 * f, 24 * (3 * t - 1), t, f / static_cast<double>(frames), 0);
            DrawMarble(image, 24 * f, 24 * (3 * t), t, 0, f / static_cast<double>(frames - 1));
        }
    return image;
}

// ---------------------------------------------------------------- animated 32: jewels

const Rgb JewelColours[5] = {
    MakeRgb(0.3, 0.75, 1.0),   // aquamarine
    MakeRgb(1.0, 0.62, 0.1),   // topaz
    MakeRgb(0.9, 0.08, 0.2),   // ruby
    MakeRgb(0.1, 0.75, 0.35),  // emerald
    MakeRgb(0.55, 0.2, 0.85),  // amethyst
};
const Shape JewelShapes[5] = {ShapeDiamond, ShapeCircle, ShapeSquare, ShapeTriangle, ShapeStar};

// Blank-tile choice c: velvet, stone, checks and boards in several colours.
Rgb BlankChoice(int c, int px, int py)
{
    const Rgb hues[10] = {
        MakeRgb(0.2, 0.16, 0.3), MakeRgb(0.55, 0.55, 0.52), MakeRgb(0.12, 0.3, 0.2), MakeRgb(0.45, 0.3, 0.18),
        MakeRgb(0.16, 0.22, 0.4), MakeRgb(0.42, 0.14, 0.16), MakeRgb(0.7, 0.66, 0.55), MakeRgb(0.1, 0.1, 0.12),
        MakeRgb(0.25, 0.42, 0.45), MakeRgb(0.5, 0.45, 0.6),
    };
    const Rgb base = hues[c % 10];
    const int pattern = (c / 10 + c) % 6;
    const double n = Noise(px, py, 31 + c);
    Rgb col = Scale(base, 0.9 + 0.2 * n);
    switch (pattern) {
    case 1:  // checks
        if (((px / 8) + (py / 8)) % 2 == 1)
            col = Scale(col, 0.8);
        break;
    case 2:  // boards
        if (py % 8 == 7)
            col = Scale(col, 0.6);
        else
            col = Scale(col, 0.95 + 0.1 * Noise(px / 6, py / 8, c));
        break;
    case 3:  // a raised square
        if (px == 3 || py == 3)
            col = Scale(col, 1.3);
        else if (px == 28 || py == 28)
            col = Scale(col, 0.65);
        break;
    case 4:  // a diamond mark in the middle
        if (std::abs(px - 15.5) + std::abs(py - 15.5) < 3)
            col = Mix(col, White, 0.45);
        break;
    case 5:  // fine stripes
        if ((px + py) % 6 < 2)
            col = Scale(col, 0.85);
        break;
    default:
        break;
    }
    if (px == 0 || py == 0)
        col = Scale(col, 1.3);
    if (px == 31 || py == 31)
        col = Scale(col, 0.55);
    return col;
}

// A jewel of kind t; glint 0..1 sweeps a gleam across it, vanish 0..1 turns
// it and shrinks it into light.
void DrawJewel(Image& image, int left, int top, int t, int blank, double glint, double vanish)
{
    const double r0 = 12.2, r = r0 * (1 - 0.9 * vanish);
    const double turn = vanish * Pi * 0.9;
    const double ct = Cos(turn), st = Sin(turn);
    RenderSquare(image, left, top, 32, [&](double x, double y, int px, int py) {
        Sample s;
        s.colour = BlankChoice(blank, px, py);
        const double dx = x - 16, dy = y - 16;
        const double rx = dx * ct + dy * st, ry = -dx * st + dy * ct;
        Rgb c;
        if (r > 0.5 && ShapeAt(JewelShapes[t - 1], 16 + rx, 16 + ry, 16, 16, r, JewelColours[t - 1], &c)) {
            // facets: a darker band towards the edges, shown as a ring
            const double d = -ShapeDistance(JewelShapes[t - 1], rx, ry, r);
            if (d > r * 0.34 && d < r * 0.42)
                c = Scale(c, 0.82);
            // the gleam: a bright diagonal band moving from upper left to lower right
            const double band = (rx + ry) / (2 * r0) - (glint * 2.4 - 1.2);
            if (std::abs(band) < 0.12)
                c = Mix(c, White, 0.75 * (1 - std::abs(band) / 0.12));
            s.colour = Mix(c, White, vanish * 0.85);
        }
        if (vanish > 0.2) {
            const double ring = Length(dx, dy) - 14 * vanish;
            if (std::abs(ring) < 0.9 * (1 - vanish) + 0.2)
                s.colour = Mix(s.colour, Mix(JewelColours[t - 1], White, 0.5), 1 - vanish * 0.6);
        }
        return s;
    });
}

// Writes the SetTag "HANABO32" with flag byte `flags` into the top-right
// frame: each byte is 8 pixels of a row, black for 0 bits.
void WriteSetTag(Image& image, std::uint8_t flags)
{
    const char* text = "HANABO32";
    std::uint8_t bytes[10];
    for (int k = 0; k < 8; ++k)
        bytes[k] = static_cast<std::uint8_t>(text[k]);
    bytes[8] = 0;
    bytes[9] = flags;
    const int frameLeft = image.width - 32;
    for (int k = 0; k < 10; ++k)
        for (int bit = 0; bit < 8; ++bit) {
            const int x = frameLeft + 8 * (k % 4) + bit, y = 4 * (k / 4);
            const bool one = (bytes[k] >> (7 - bit)) & 1;
            const std::size_t i = static_cast<std::size_t>(y) * image.width + x;
            if (!one)
                image.pixels[i] = 0;
            else if (image.pixels[i] == 0)
                image.pixels[i] = Pack8(1, 1, 1);
        }
}

// An animated 32 set: band 0 blank-tile choices, then for each jewel its
// selection and vanishing bands; `extraBands` more bands of blank choices.
Image Jewels32(int frames, int extraBands, bool tag)
{
    Image image = MakeImage(32 * frames, 352 + 32 * extraBands);
    for (int f = 0; f < frames; ++f)
        RenderSquare(image, 32 * f, 0, 32, [&](double, double, int px, int py) {
            Sample s;
            s.colour = BlankChoice(f, px, py);
            return s;
        });
    for (int band = 11; band < 11 + extraBands; ++band)
        for (int f = 0; f < frames; ++f)
            RenderSquare(image, 32 * f, 32 * band, 32, [&](double, double, int px, int py) {
                Sample s;
                s.colour = BlankChoice(8 + (band - 11) * frames + f, px, py);
                return s;
            });
    for (int t = 1; t <= 5; ++t)
        for (int f = 0; f < frames; ++f) {
            DrawJewel(image, 32 * f, 32 * (2 * t - 1), t, 0, f / static_cast<double>(frames - 1), 0);
            DrawJewel(image, 32 * f, 32 * (2 * t), t, 0, 0, f / static_cast<double>(frames - 1));
        }
    if (tag)
        WriteSetTag(image, 0x40);
    return image;
}

// ---------------------------------------------------------------- tall animated 32: billiard balls

const Rgb BilliardColours[5] = {
    MakeRgb(1.0, 0.82, 0.1),   // yellow 1
    MakeRgb(0.1, 0.25, 0.85),  // blue 2
    MakeRgb(0.88, 0.1, 0.1),   // red 3
    MakeRgb(0.45, 0.15, 0.6),  // purple 4
    MakeRgb(1.0, 0.45, 0.05),  // orange 5
};

const std::vector<std::string> Digits[5] = {
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {"####.", "....#", "....#", ".###.", "....#", "....#", "####."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
};

Rgb Felt(int px, int py, int choice)
{
    const Rgb hues[8] = {
        MakeRgb(0.05, 0.42, 0.2), MakeRgb(0.1, 0.3, 0.55), MakeRgb(0.5, 0.1, 0.12), MakeRgb(0.35, 0.3, 0.25),
        MakeRgb(0.08, 0.35, 0.38), MakeRgb(0.3, 0.16, 0.4), MakeRgb(0.2, 0.2, 0.2), MakeRgb(0.45, 0.42, 0.15),
    };
    Rgb c = Scale(hues[choice % 8], 0.92 + 0.16 * Noise(px, py, 41));
    if (px == 0 || py == 0)
        c = Scale(c, 1.25);
    if (px == 31 || py == 31)
        c = Scale(c, 0.7);
    return c;
}

// Billiard ball t rolling (roll 0..1 turns its number round once) or
// dropping into a pocket (sink 0..1).
void DrawBilliard(Image& image, int left, int top, int t, double roll, double sink)
{
    const double r0 = 12.8, r = r0 * (1 - 0.85 * sink);
    const double cx = 16, cy = 16;
    const double spot = Sin(2 * Pi * roll), face = Cos(2 * Pi * roll);
    RenderSquare(image, left, top, 32, [&](double x, double y, int px, int py) {
        Sample s;
        s.colour = Felt(px, py, 0);
        const double pocket = Length(x - cx, y - cy);
        if (sink > 0 && pocket < 12 * Smooth(sink * 3))
            s.colour = Scale(MakeRgb(0.05, 0.05, 0.05), 1 + 0.2 * Noise(px, py, 3));
        Rgb ball;
        const double dx = (x - cx) / r, dy = (y - cy) / r;
        Rgb base = BilliardColours[t - 1];
        if (dx * dx + dy * dy < 1) {
            // the white disc with the number turns with the ball
            const double dz = Sqrt(1 - dx * dx - dy * dy);
            const double sx = dx * face - dz * spot, sz = dx * spot + dz * face;
            const double sy = dy;
            const bool onDisc = sz > 0 && sx * sx + sy * sy < 0.58 * 0.58;
            if (onDisc) {
                base = MakeRgb(0.97, 0.96, 0.9);
                const int gx = static_cast<int>(sx / 0.58 * 3.4 + 2.5 + 8) - 8;
                const int gy = static_cast<int>(sy / 0.58 * 4.4 + 3.5 + 8) - 8;
                if (gx >= 0 && gx < 5 && gy >= 0 && gy < 7 && Digits[t - 1][gy][gx] == '#')
                    base = MakeRgb(0.08, 0.08, 0.08);
            }
            if (BallAt(x, y, cx, cy, r, Scale(base, 1 - 0.7 * sink), &ball, 0.85 * (1 - sink)))
                s.colour = ball;
        }
        return s;
    });
}

Image Billiards32(int frames)
{
    Image image = MakeImage(32 * frames, 672);
    for (int f = 0; f < frames; ++f)
        RenderSquare(image, 32 * f, 0, 32, [&](double, double, int px, int py) {
            Sample s;
            s.colour = Felt(px, py, f);
            return s;
        });
    for (int band = 11; band < 21; ++band)
        for (int f = 0; f < frames; ++f)
            RenderSquare(image, 32 * f, 32 * band, 32, [&](double, double, int px, int py) {
                Sample s;
                s.colour = BlankChoice((band - 11) * frames + f, px, py);
                return s;
            });
    for (int t = 1; t <= 5; ++t)
        for (int f = 0; f < frames; ++f) {
            DrawBilliard(image, 32 * f, 32 * (2 * t - 1), t, f / static_cast<double>(frames), 0);
            DrawBilliard(image, 32 * f, 32 * (2 * t), t, 0, f / static_cast<double>(frames - 1));
        }
    return image;
}

// ---------------------------------------------------------------- plain set of shapes

// Shape tile t (1..5), or the blank tile; highlighted ones are darker with a
// white rim and the bright and black streaks of the built-in set.
void DrawShapeTile(Image& image, int left, int top, int t, bool highlighted)
{
    const Shape shapes[5] = {ShapeCircle, ShapeSquare, ShapeTriangle, ShapeDiamond, ShapeStar};
    RenderSquare(image, left, top, 32, [&](double x, double y, int px, int py) {
        Sample s;
        const double n = Noise(px, py, 51);
        s.colour = MakeRgb(0.86 + 0.05 * n, 0.83 + 0.05 * n, 0.74 + 0.05 * n);
        if (px == 0 || py == 0)
            s.colour = Scale(s.colour, 1.08);
        if (px == 31 || py == 31)
            s.colour = Scale(s.colour, 0.75);
        if (t == 0)
            return s;
        const Shape shape = shapes[t - 1];
        const double d = ShapeDistance(shape, x - 16, y - 16, 12.5);
        Rgb c;
        if (highlighted && d >= 0 && d < 1.6)
            s.colour = White;
        else if (ShapeAt(shape, x, y, 16, 16, 12.5, highlighted ? Scale(BallColours[t - 1], 0.6) : BallColours[t - 1], &c)) {
            if (highlighted) {
                const double dy = (y - 16) / 12.5, dx = (x - 16) / 12.5;
                if (std::abs(dy + 0.32) < 0.1 && std::abs(dx) < 0.34)
                    c = MakeRgb(1, 1, 0.92);
                else if (std::abs(dy - 0.42) < 0.1 && std::abs(dx) < 0.34)
                    c = Black;
            }
            s.colour = c;
        } else if (d < 2.2) {
            s.colour = Scale(s.colour, 0.7 + 0.3 * Smooth(d / 2.2));
        }
        return s;
    });
}

// The folder browser's 16 × 16 pictures on the window's white.
Image BrowserPicture(const std::vector<std::string>& rows)
{
    Image image = MakeImage(16, 16, KWhite);
    DrawPattern(image, 0, 0, rows, PatternKey);
    return image;
}

const std::vector<std::string> FolderRows = {
    "................",
    "................",
    "..KKKKK.........",
    ".KYWWWYK........",
    "KYWYYYYWKKKKKKK.",
    "KWYYYYYYYYYYYYOK",
    "KWYYYYYYYYYYYYOK",
    "KWYYYYYYYYYYYYOK",
    "KWYYYYYYYYYYYYOK",
    "KWYYYYYYYYYYYYOK",
    "KWYYYYYYYYYYYYOK",
    "KWYYYYYYYYYYYYOK",
    "KOOOOOOOOOOOOOOK",
    ".KKKKKKKKKKKKKK.",
    "................",
    "................",
};

const std::vector<std::string> FolderOpenRows = {
    "................",
    "................",
    "..KKKKK.........",
    ".KYWWWYK........",
    "KYWYYYYWKKKKKK..",
    "KWYYYYYYYYYYYOK.",
    "KWYYKKKKKKKKKKKK",
    "KWYKWWWWWWWWWWYK",
    "KWYKWYYYYYYYYYOK",
    "KWKWYYYYYYYYYOK.",
    "KWKWYYYYYYYYYOK.",
    "KKWYYYYYYYYYOK..",
    "KKWYYYYYYYYYOK..",
    "KKOOOOOOOOOOK...",
    ".KKKKKKKKKKKK...",
    "................",
};

// A hard disk: a grey box with its light, green when selected.
std::vector<std::string> FixedRows(char light)
{
    std::vector<std::string> rows = {
        "................",
        "................",
        "................",
        "................",
        "..KKKKKKKKKKKK..",
        ".KWWWWWWWWWWWSK.",
        "KWSSSSSSSSSSSGGK",
        "KWSSSSSSSSSSSSGK",
        "KKKKKKKKKKKKKKGK",
        "KWSSSSSSSSSSSSGK",
        "KWSSSSSSSSSlSSGK",
        "KWSSSSSSSSSSSSGK",
        "KGGGGGGGGGGGGGGK",
        ".KKKKKKKKKKKKKK.",
        "................",
        "................",
    };
    for (std::string& row : rows)
        for (char& c : row)
            if (c == 'l')
                c = light;
    return rows;
}

// A floppy disk in its drive, its shutter open when selected.
std::vector<std::string> RemovableRows(bool open)
{
    return {
        "................",
        "...KKKKKKKKKK...",
        "...KNNNNNNNNK...",
        "...KNWWWWWWNK...",
        "...KNWWWWWWNK...",
        "...KNNNNNNNNK...",
        open ? "...KNSKKSSNNK..." : "...KNSSSSSNNK...",
        "..KKKKKKKKKKKK..",
        ".KWWWWWWWWWWWSK.",
        "KWSSSSSSSSSSSGGK",
        "KWSKKKKKKKKSSSGK",
        "KWSSSSSSSSSSSSGK",
        "KGGGGGGGGGGGGGGK",
        ".KKKKKKKKKKKKKK.",
        "................",
        "................",
    };
}

const std::vector<std::string> CdRomRows = {
    "................",
    ".....KKKKKK.....",
    "...KKWWAAAAKK...",
    "..KWWWWAAAAFFK..",
    ".KWWWWWAAAFFFFK.",
    ".KWWWWSSSSFFFFK.",
    "KSSWWSKKKKSFFYYK",
    "KSSSSSK..KSYYYYK",
    "KSSSSSK..KSYYYYK",
    "KLLLLSKKKKSYYYYK",
    ".KLLLLSSSSWWWWK.",
    ".KLLLLAAAWWWWWK.",
    "..KLLAAAAWWWWK..",
    "...KKAAAAWWKK...",
    ".....KKKKKK.....",
    "................",
};

const std::vector<std::string> RamDiskRows = {
    "................",
    "................",
    "..K.K.K.K.K.K...",
    "..K.K.K.K.K.K...",
    ".KKKKKKKKKKKKK..",
    ".KEEEEEEEEEEEEK.",
    ".KEKKKEKKKEKKKK.",
    ".KEKGKEKGKEKGKK.",
    ".KEKKKEKKKEKKKK.",
    ".KEEEEEEEEEEEEK.",
    ".KKKKKKKKKKKKKK.",
    "..K.K.K.K.K.K...",
    "..K.K.K.K.K.K...",
    "................",
    "................",
    "................",
};

const std::vector<std::string> NetworkRows = {
    "................",
    "..KKKKKKKKKKKK..",
    ".KWWWWWWWWWWWSK.",
    "KWSSSSSSSSSSSGGK",
    "KWSSSSSSSSSLSSGK",
    "KGGGGGGGGGGGGGGK",
    ".KKKKKKKKKKKKKK.",
    ".......KK.......",
    ".......KK.......",
    ".......KK.......",
    "KKKKKKKKKKKKKKKK",
    "................",
    "................",
    "................",
    "................",
    "................",
};

bool Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    if (!WriteFile(path, bytes)) {
        std::fprintf(stderr, "make-pictures: cannot write %s\n", path.string().c_str());
        return false;
    }
    return true;
}

std::vector<std::uint8_t> Bmp8(const Image& image) { return BmpBytes(image, ChoosePalette(image), 8); }

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-pictures <resources folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder / "ship", error);
    bool ok = true;
    ok &= Write(folder / "tiles.bmp", Bmp8(PlainSet(DrawBuiltInTile)));
    ok &= Write(folder / "baricons.bmp", BmpBytes(BarIcons(), Sixteen, 4));
    ok &= Write(folder / "toolbar.bmp", BmpBytes(ToolbarImages(), Sixteen, 4));
    ok &= Write(folder / "hanabo.ico", IcoBytes({ProgramIcon(32), ProgramIcon(16)}));
    std::filesystem::create_directories(folder / "browser", error);
    const struct {
        const char* name;
        std::vector<std::string> rows;
    } browser[] = {
        {"cdrom.bmp", CdRomRows},           {"removable.bmp", RemovableRows(false)},
        {"fixed.bmp", FixedRows('E')},      {"folder.bmp", FolderRows},
        {"ramdisk.bmp", RamDiskRows},       {"removable_open.bmp", RemovableRows(true)},
        {"fixed_open.bmp", FixedRows('L')}, {"network.bmp", NetworkRows},
        {"folder_open.bmp", FolderOpenRows},
    };
    for (const auto& picture : browser)
        ok &= Write(folder / "browser" / picture.name, BmpBytes(BrowserPicture(picture.rows), Sixteen, 4));
    ok &= Write(folder / "ship" / "Road.bmp", Bmp8(RoadSet()));
    ok &= Write(folder / "ship" / "Marbles24.bmp", Bmp8(Marbles24()));
    ok &= Write(folder / "ship" / "Jewels32.bmp", Bmp8(Jewels32(8, 0, true)));
    ok &= Write(folder / "ship" / "Billiards32.bmp", Bmp8(Billiards32(8)));
    ok &= Write(folder / "ship" / "Shapes.bmp", Bmp8(PlainSet(DrawShapeTile)));
    return ok ? 0 : 1;
}
