#include "Splash.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace art {

namespace {

constexpr int width = 640;
constexpr int height = 480;
constexpr int waterLine = 336;

// Deterministic noise, so every run draws the same picture.
std::uint32_t hash(std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    std::uint32_t h = seed * 0x9e3779b9u ^ static_cast<std::uint32_t>(x) * 0x85ebca6bu ^
                      static_cast<std::uint32_t>(y) * 0xc2b2ae35u;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

double unit(std::uint32_t h)
{
    return static_cast<double>(h & 0xffffff) / double(0x1000000);
}

double smooth(double t)
{
    return t * t * (3 - 2 * t);
}

double noise1(double x, std::uint32_t seed)
{
    const double fx = std::floor(x);
    const int ix = static_cast<int>(fx);
    const double t = smooth(x - fx);
    return unit(hash(ix, 0, seed)) * (1 - t) + unit(hash(ix + 1, 0, seed)) * t;
}

double noise2(double x, double y, std::uint32_t seed)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double top = unit(hash(ix, iy, seed)) * (1 - tx) + unit(hash(ix + 1, iy, seed)) * tx;
    const double bottom = unit(hash(ix, iy + 1, seed)) * (1 - tx) + unit(hash(ix + 1, iy + 1, seed)) * tx;
    return top * (1 - ty) + bottom * ty;
}

// Fractal sums in [0, 1).
double fbm1(double x, int octaves, std::uint32_t seed)
{
    double sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * noise1(x, seed + static_cast<std::uint32_t>(i) * 101);
        total += amplitude;
        amplitude *= 0.5;
        x *= 2.03;
    }
    return sum / total;
}

double fbm2(double x, double y, int octaves, std::uint32_t seed)
{
    double sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * noise2(x, y, seed + static_cast<std::uint32_t>(i) * 131);
        total += amplitude;
        amplitude *= 0.5;
        x *= 2.01;
        y *= 2.01;
    }
    return sum / total;
}

class Random
{
public:
    explicit Random(std::uint32_t seed) : m_state(seed) {}
    double next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return unit(m_state);
    }
    double between(double lo, double hi)
    {
        return lo + (hi - lo) * next();
    }

private:
    std::uint32_t m_state;
};

QColor mix(const QColor& a, const QColor& b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - t) + b.redF() * t),
                            static_cast<float>(a.greenF() * (1 - t) + b.greenF() * t),
                            static_cast<float>(a.blueF() * (1 - t) + b.blueF() * t),
                            static_cast<float>(a.alphaF() * (1 - t) + b.alphaF() * t));
}

const QColor mist(226, 234, 232);

void drawSky(QImage& scene)
{
    QPainter p(&scene);
    QLinearGradient sky(0, 0, 0, waterLine);
    sky.setColorAt(0.0, QColor(120, 160, 192));
    sky.setColorAt(0.45, QColor(178, 204, 216));
    sky.setColorAt(1.0, QColor(228, 236, 232));
    p.fillRect(scene.rect(), sky);
    QRadialGradient glow(QPointF(180, 70), 260);
    glow.setColorAt(0.0, QColor(255, 252, 236, 150));
    glow.setColorAt(1.0, QColor(255, 252, 236, 0));
    p.fillRect(scene.rect(), glow);
    p.end();

    // Thin drifting cloud.
    for (int y = 0; y < 220; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(scene.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double n = fbm2(x / 120.0, y / 28.0, 5, 7);
            const double a = std::clamp((n - 0.52) * 2.2, 0.0, 0.55) * (1.0 - y / 260.0);
            const QColor c = mix(QColor(line[x]), QColor(246, 248, 246), a);
            line[x] = c.rgb();
        }
    }
}

struct Range
{
    double foot;   // y of its foot
    double rise;   // highest rise above the foot
    double scale;  // width of the large features, pixels
    double valley; // how much lower it stands in the middle of the picture
    std::uint32_t seed;
    QColor ridge; // colour under the ridge line
    QColor base;  // colour at the foot
    double texture;
    double mistAlpha;
    double mistHeight;
};

double ridgeY(const Range& r, double x)
{
    const double rolling = fbm1(x / r.scale, 5, r.seed);
    const double sharp = 1.0 - std::fabs(2.0 * fbm1(x / (r.scale * 1.6), 4, r.seed + 55) - 1.0);
    const double shape = std::pow(0.45 * rolling + 0.55 * sharp, 1.6);
    const double centre = std::fabs(x - width * 0.5) / (width * 0.5);
    const double envelope = 1.0 - r.valley * (1.0 - centre * centre);
    return r.foot - r.rise * shape * envelope;
}

void drawRange(QImage& scene, const Range& r)
{
    QImage layer(scene.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    std::vector<double> top(width);
    QPolygonF outline;
    outline << QPointF(-2, r.foot + 60);
    for (int x = -2; x <= width + 2; ++x) {
        const double y = ridgeY(r, x);
        if (x >= 0 && x < width)
            top[x] = y;
        outline << QPointF(x, y);
    }
    outline << QPointF(width + 2, r.foot + 60);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, r.foot - r.rise * 0.9, 0, r.foot);
        g.setColorAt(0.0, r.ridge);
        g.setColorAt(1.0, r.base);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPolygon(outline);
    }
    // Gullies and forest: streaks that run down the slope, lit from the upper left.
    for (int y = 0; y < height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            const double slope = x > 0 && x < width - 1 ? (top[x + 1] - top[x - 1]) * 0.5 : 0.0;
            const double depth = std::clamp((y - top[x]) / 40.0, 0.0, 1.0);
            const double streak = fbm2(x / 5.0, y / 26.0, 4, r.seed + 9) - 0.5;
            const double speck = fbm2(x / 2.2, y / 2.2, 2, r.seed + 17) - 0.5;
            const double light = 1.0 + r.texture * (1.1 * streak + 0.6 * speck) -
                                 std::clamp(slope * 0.08, -0.12, 0.12) * (1.0 - depth) * r.texture * 4;
            const int a = qAlpha(line[x]);
            auto scale = [&](int v) { return std::clamp(static_cast<int>(v * light), 0, a); };
            line[x] = qRgba(scale(qRed(line[x])), scale(qGreen(line[x])), scale(qBlue(line[x])), a);
        }
    }
    QPainter p(&scene);
    p.drawImage(0, 0, layer);
    p.end();

    // Mist that gathers at the foot, in drifting banks.
    for (int y = std::max(0, static_cast<int>(r.foot - r.mistHeight)); y < std::min(height, waterLine + 4);
         ++y) {
        const double t = std::clamp((y - (r.foot - r.mistHeight)) / r.mistHeight, 0.0, 1.0);
        QRgb* line = reinterpret_cast<QRgb*>(scene.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double bank = 0.55 + 0.9 * (fbm2(x / 70.0, y / 9.0, 4, r.seed + 3) - 0.5);
            const double a = std::clamp(r.mistAlpha * smooth(t) * bank, 0.0, 0.95);
            line[x] = mix(QColor(line[x]), mist, a).rgb();
        }
    }
}

void drawConifer(QPainter& p, double x, double foot, double treeHeight, double treeWidth,
                 const QColor& colour, Random& random)
{
    const double top = foot - treeHeight;
    const int tiers = std::max(3, static_cast<int>(treeHeight / 9));
    QPolygonF left, right;
    for (int i = 1; i <= tiers; ++i) {
        const double t = static_cast<double>(i) / tiers;
        const double y = top + treeHeight * 0.92 * t;
        const double half = treeWidth * 0.5 * std::pow(t, 0.9);
        const double droop = treeHeight * 0.03;
        left << QPointF(x - half * random.between(0.85, 1.1), y + droop)
             << QPointF(x - half * 0.45, y - treeHeight * 0.02);
        right << QPointF(x + half * random.between(0.85, 1.1), y + droop)
              << QPointF(x + half * 0.45, y - treeHeight * 0.02);
    }
    QPolygonF crown;
    crown << QPointF(x, top - 1);
    for (const QPointF& pt : right)
        crown << pt;
    crown << QPointF(x + treeWidth * 0.06, foot - treeHeight * 0.06)
          << QPointF(x - treeWidth * 0.06, foot - treeHeight * 0.06);
    for (auto it = left.rbegin(); it != left.rend(); ++it)
        crown << *it;
    p.setPen(Qt::NoPen);
    p.setBrush(colour.darker(160));
    p.drawRect(
        QRectF(x - treeWidth * 0.03 - 0.5, foot - treeHeight * 0.1, treeWidth * 0.06 + 1, treeHeight * 0.1));
    QLinearGradient g(x - treeWidth * 0.5, 0, x + treeWidth * 0.5, 0);
    g.setColorAt(0.0, colour.darker(130));
    g.setColorAt(0.6, colour);
    g.setColorAt(1.0, colour.lighter(118));
    p.setBrush(g);
    p.drawPolygon(crown);
}

void drawShoreTrees(QImage& scene)
{
    QPainter p(&scene);
    p.setRenderHint(QPainter::Antialiasing);
    Random random(41);
    for (double x = -4; x < width + 4; x += random.between(2.5, 6.0)) {
        const double centre = std::fabs(x - width * 0.5) / (width * 0.5);
        const double h = random.between(5, 13) * (0.7 + 0.8 * centre);
        const QColor c = mix(QColor(30, 64, 50), mist, 0.25 + 0.2 * random.next());
        drawConifer(p, x, waterLine + 1, h, h * 0.42, c, random);
    }
}

void drawLake(QImage& scene)
{
    const QColor water(70, 112, 132);
    const QImage above = scene.copy();
    for (int y = waterLine; y < height; ++y) {
        const double d = y - waterLine;
        const double depth = d / (height - waterLine);
        const int sy = std::clamp(static_cast<int>(waterLine - 1 - d), 0, waterLine - 1);
        const QRgb* src = reinterpret_cast<const QRgb*>(above.constScanLine(sy));
        QRgb* line = reinterpret_cast<QRgb*>(scene.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double ripple = (fbm2(x / 90.0, d / 2.5, 3, 77) - 0.5) * (2.0 + d * 0.12);
            const double sx = std::clamp(x + ripple, 0.0, width - 1.001);
            const int ix = static_cast<int>(sx);
            const double fx = sx - ix;
            const QColor a(src[ix]), b(src[std::min(ix + 1, width - 1)]);
            QColor c = mix(a, b, fx);
            c = mix(c, water, 0.22 + 0.45 * depth);
            c = c.darker(108 + static_cast<int>(depth * 12));
            const double glint = fbm2(x / 50.0, d / 1.3, 3, 91);
            if (glint > 0.66)
                c = mix(c, QColor(232, 240, 240), (glint - 0.66) * 1.6 * (1.0 - depth * 0.6));
            line[x] = c.rgb();
        }
    }
    // A thin line of light where the shore meets the water, and mist lying on it.
    QPainter p(&scene);
    QLinearGradient g(0, waterLine - 3, 0, waterLine + 26);
    g.setColorAt(0.0, QColor(236, 242, 240, 0));
    g.setColorAt(0.12, QColor(236, 242, 240, 150));
    g.setColorAt(1.0, QColor(236, 242, 240, 0));
    p.fillRect(QRectF(0, waterLine - 3, width, 29), g);
}

void drawForeground(QImage& scene)
{
    QImage layer(scene.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QColor bank(22, 42, 30);

    QPainterPath leftBank;
    leftBank.moveTo(-2, height + 2);
    leftBank.lineTo(-2, 392);
    leftBank.cubicTo(60, 388, 150, 420, 250, height + 2);
    leftBank.closeSubpath();
    QPainterPath rightBank;
    rightBank.moveTo(width + 2, height + 2);
    rightBank.lineTo(width + 2, 366);
    rightBank.cubicTo(560, 372, 470, 420, 400, height + 2);
    rightBank.closeSubpath();
    // The banks run down to the water and into the mist.
    QLinearGradient leftShade(0, 0, 250, 0);
    leftShade.setColorAt(0.0, bank);
    leftShade.setColorAt(1.0, mix(bank, mist, 0.22));
    p.setBrush(leftShade);
    p.drawPath(leftBank);
    QLinearGradient rightShade(width, 0, 400, 0);
    rightShade.setColorAt(0.0, bank);
    rightShade.setColorAt(1.0, mix(bank, mist, 0.22));
    p.setBrush(rightShade);
    p.drawPath(rightBank);

    Random random(5);
    struct Tree
    {
        double x, foot, h, w;
    };
    const Tree trees[] = {
        {18, 404, 290, 92},  {62, 408, 232, 80},  {104, 420, 170, 62}, {142, 436, 118, 46},
        {178, 452, 78, 32},  {-10, 470, 200, 70}, {40, 478, 150, 60},  {620, 382, 322, 100},
        {578, 392, 262, 86}, {540, 404, 198, 70}, {506, 420, 140, 52}, {474, 440, 96, 38},
        {448, 458, 62, 26},  {650, 470, 230, 80}, {600, 484, 170, 64},
    };
    for (const Tree& t : trees) {
        // The smaller trees stand farther back, in more of the mist.
        const double distance = std::clamp(1.0 - t.h / 320.0, 0.0, 1.0);
        const QColor c =
            mix(mix(QColor(20, 44, 32), QColor(32, 62, 44), random.next()), mist, 0.26 * distance);
        drawConifer(p, t.x, t.foot, t.h, t.w, c, random);
    }
    p.end();

    // Needles: a fine dark texture over everything in the foreground.
    for (int y = 0; y < height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int a = qAlpha(line[x]);
            if (a == 0)
                continue;
            const double light = 0.8 + 0.45 * fbm2(x / 1.8, y / 1.4, 2, 303);
            auto scale = [&](int v) { return std::clamp(static_cast<int>(v * light), 0, a); };
            line[x] = qRgba(scale(qRed(line[x])), scale(qGreen(line[x])), scale(qBlue(line[x])), a);
        }
    }
    QPainter onto(&scene);
    onto.drawImage(0, 0, layer);
}

void drawName(QImage& scene)
{
    QFont font("AR PL UKai TW");
    font.setPixelSize(122);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 14);
    QPainterPath name;
    name.addText(0, 0, font, QString::fromUtf8("青嵐坪"));
    const QRectF box = name.boundingRect();
    name.translate(width * 0.5 - box.center().x(), 118 - box.center().y());

    QPainter p(&scene);
    p.setRenderHint(QPainter::Antialiasing);
    const int halo[][2] = {{22, 26}, {15, 46}, {9, 80}};
    for (const auto& [penWidth, alpha] : halo) {
        p.setPen(QPen(QColor(250, 248, 255, alpha), penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(name);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 12, 60, 110));
    p.drawPath(name.translated(3, 4));
    const QRectF at = name.boundingRect();
    QLinearGradient g(0, at.top(), 0, at.bottom());
    g.setColorAt(0.0, QColor(176, 104, 222));
    g.setColorAt(0.5, QColor(120, 40, 170));
    g.setColorAt(1.0, QColor(82, 18, 124));
    p.setBrush(g);
    p.setPen(QPen(QColor(58, 10, 88), 1.6));
    p.drawPath(name);
}

void addGrain(QImage& scene)
{
    for (int y = 0; y < height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(scene.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = static_cast<int>((unit(hash(x, y, 999)) - 0.5) * 6);
            auto add = [n](int v) { return std::clamp(v + n, 0, 255); };
            line[x] = qRgb(add(qRed(line[x])), add(qGreen(line[x])), add(qBlue(line[x])));
        }
    }
}

} // namespace

QImage drawSplashPicture()
{
    QImage scene(width, height, QImage::Format_RGB32);
    drawSky(scene);
    const Range ranges[] = {
        {252, 150, 170, 0.25, 11, QColor(128, 156, 184), QColor(196, 212, 220), 0.05, 0.55, 70},
        {284, 136, 130, 0.4, 23, QColor(100, 136, 158), QColor(178, 200, 206), 0.08, 0.6, 60},
        {308, 124, 110, 0.5, 37, QColor(74, 118, 124), QColor(160, 190, 186), 0.12, 0.62, 50},
        {326, 110, 90, 0.65, 51, QColor(48, 94, 84), QColor(132, 170, 156), 0.16, 0.58, 40},
        {339, 92, 70, 0.8, 67, QColor(32, 68, 54), QColor(96, 136, 118), 0.2, 0.45, 28},
    };
    for (const Range& r : ranges)
        drawRange(scene, r);
    drawShoreTrees(scene);
    drawLake(scene);
    drawForeground(scene);
    drawName(scene);
    addGrain(scene);
    return scene;
}

} // namespace art
