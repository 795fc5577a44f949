// SPDX-License-Identifier: GPL-3.0-or-later
#include "reefscene.h"

#include "window/runtime/paintedrect.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

namespace reef {

namespace {

constexpr double kPi = std::numbers::pi;

// --- Deterministic noise -------------------------------------------------------------------
// Noise is a function of the position in units of the picture's height, so pictures of
// different sizes show the same texture.

double lattice(int x, int y, int seed) {
    auto h = static_cast<std::uint32_t>(x) * 374761393u +
             static_cast<std::uint32_t>(y) * 668265263u +
             static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffffu) / double(0x1000000);
}

double smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

double valueNoise(double x, double y, int seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = smooth(x - fx);
    const double ty = smooth(y - fy);
    const double a = lattice(ix, iy, seed);
    const double b = lattice(ix + 1, iy, seed);
    const double c = lattice(ix, iy + 1, seed);
    const double d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Fractal noise in [0, 1].
double fbm(double x, double y, int octaves, int seed) {
    double sum = 0.0;
    double amplitude = 0.5;
    double total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + 31 * i);
        total += amplitude;
        x = x * 2.03 + 17.1;
        y = y * 2.01 + 5.3;
        amplitude *= 0.5;
    }
    return sum / total;
}

// Bright, thin, web-like lines of light as the waves focus the sun; in [0, 1].
double caustic(double x, double y) {
    const double warpX = x + 0.35 * fbm(x * 1.5, y * 1.5, 2, 71);
    const double warpY = y + 0.35 * fbm(x * 1.5 + 9.0, y * 1.5, 2, 73);
    const double n1 = fbm(warpX * 9.0, warpY * 9.0, 2, 91);
    const double n2 = fbm(warpX * 11.0 + 3.0, warpY * 11.0, 2, 93);
    const double r1 = 1.0 - std::abs(2.0 * n1 - 1.0);
    const double r2 = 1.0 - std::abs(2.0 * n2 - 1.0);
    return std::pow(r1, 10.0) * 0.6 + std::pow(r2, 14.0) * 0.4;
}

double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}

int channel(double v) {
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0)));
}

QColor mixed(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

// --- Blur ------------------------------------------------------------------------------------

void boxBlurLine(QRgb* data, int count, int stride, int radius, std::vector<QRgb>& scratch) {
    scratch.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        scratch[static_cast<std::size_t>(i)] = data[i * stride];
    std::int64_t sum[4] = {0, 0, 0, 0};
    auto add = [&](QRgb p, int sign) {
        sum[0] += sign * qAlpha(p);
        sum[1] += sign * qRed(p);
        sum[2] += sign * qGreen(p);
        sum[3] += sign * qBlue(p);
    };
    auto at = [&](int i) { return scratch[static_cast<std::size_t>(std::clamp(i, 0, count - 1))]; };
    for (int i = -radius; i <= radius; ++i)
        add(at(i), 1);
    const int width = 2 * radius + 1;
    for (int i = 0; i < count; ++i) {
        data[i * stride] = qRgba(int(sum[1] / width), int(sum[2] / width), int(sum[3] / width),
                                 int(sum[0] / width));
        add(at(i - radius), -1);
        add(at(i + radius + 1), 1);
    }
}

// The same box blur as boxBlurLine down every column of a w x h block at once, row by row,
// which reads the picture in memory order.
void boxBlurColumns(QRgb* data, int w, int h, int stride, int radius, std::vector<QRgb>& scratch) {
    scratch.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        std::copy_n(data + y * stride, w, scratch.begin() + std::ptrdiff_t(y) * w);
    auto row = [&](int y) { return scratch.data() + std::ptrdiff_t(std::clamp(y, 0, h - 1)) * w; };
    std::vector<int> sum(static_cast<std::size_t>(w) * 4, 0);
    auto add = [&](const QRgb* line, int sign) {
        for (int x = 0; x < w; ++x) {
            int* s = sum.data() + std::ptrdiff_t(x) * 4;
            s[0] += sign * qAlpha(line[x]);
            s[1] += sign * qRed(line[x]);
            s[2] += sign * qGreen(line[x]);
            s[3] += sign * qBlue(line[x]);
        }
    };
    for (int i = -radius; i <= radius; ++i)
        add(row(i), 1);
    const int width = 2 * radius + 1;
    for (int y = 0; y < h; ++y) {
        QRgb* out = data + y * stride;
        for (int x = 0; x < w; ++x) {
            const int* s = sum.data() + std::ptrdiff_t(x) * 4;
            out[x] = qRgba(s[1] / width, s[2] / width, s[3] / width, s[0] / width);
        }
        add(row(y - radius), -1);
        add(row(y + radius + 1), 1);
    }
}

// Three box passes approximate a Gaussian of about this radius (in pixels).
void blur(QImage& image, double radius) {
    const int box = static_cast<int>(std::lround(radius / 1.7));
    if (box < 1)
        return;
    // Each pass spreads the painted pixels by at most `box`. Outside the painted rectangle
    // grown by three passes and one pixel, everything stays transparent black, and the pixels
    // at that border are transparent black as well, so blurring only inside it gives the same
    // picture as blurring all of it, in much less time for small layers on large pictures.
    const QRect painted = rb::paintedRect(image);
    if (painted.isEmpty())
        return;
    const int reach = 3 * box + 1;
    const QRect area = painted.adjusted(-reach, -reach, reach, reach) & image.rect();
    std::vector<QRgb> scratch;
    const int w = area.width();
    const int h = area.height();
    const int stride = static_cast<int>(image.bytesPerLine() / 4);
    auto* bits = reinterpret_cast<QRgb*>(image.bits()) + area.top() * stride + area.left();
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            boxBlurLine(bits + y * stride, w, 1, box, scratch);
        boxBlurColumns(bits, w, h, stride, box, scratch);
    }
}

QImage newLayer(QSize size) {
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    return layer;
}

// Darkens and lightens the painted pixels of a layer with noise, so flat fills look like
// rough stone or coral; `strength` is the relative brightness swing.
void texture(QImage& layer, double frequency, double strength, int seed) {
    const double h = layer.height();
    for (int y = 0; y < layer.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = 0; x < layer.width(); ++x) {
            const QRgb p = line[x];
            if (qAlpha(p) == 0)
                continue;
            const double n = fbm(x / h * frequency, y / h * frequency, 4, seed);
            const double f = 1.0 + strength * (2.0 * n - 1.0);
            line[x] = qRgba(std::min(channel(qRed(p) * f), qAlpha(p)),
                            std::min(channel(qGreen(p) * f), qAlpha(p)),
                            std::min(channel(qBlue(p) * f), qAlpha(p)), qAlpha(p));
        }
    }
}

// --- Scene -----------------------------------------------------------------------------------

class Painter {
public:
    Painter(QSize size, bool withDiver)
        : m_size(size), m_w(size.width()), m_h(size.height()), m_s(size.height() / 1303.0),
          m_withDiver(withDiver) {}

    QImage paint() {
        m_image = QImage(m_size, QImage::Format_ARGB32_Premultiplied);
        paintWater();
        paintSunRays();
        paintFarReef();
        paintSand();
        paintRocks();
        paintCorals(true);
        paintCorals(false);
        paintSchool();
        if (m_withDiver)
            paintWhiteCoralAndDiver();
        paintParticles();
        finish();
        return m_image.convertToFormat(QImage::Format_RGB32);
    }

private:
    // Scene positions: u across, v down, both as fractions of the picture.
    QPointF at(double u, double v) const { return {u * m_w, v * m_h}; }
    double px(double pixelsAtFullSize) const { return pixelsAtFullSize * m_s; }

    double sandTop(double u) const {
        return 0.835 + 0.018 * std::sin(u * 7.0 + 0.6) + 0.03 * (fbm(u * 3.0, 0.5, 3, 11) - 0.5);
    }

    void paintWater() {
        const QColor top(206, 236, 248);
        const QColor middle(156, 204, 229);
        const QColor deep(138, 186, 214);
        for (int y = 0; y < m_h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            const double v = double(y) / m_h;
            const QColor base = v < 0.55 ? mixed(top, middle, smooth(v / 0.55))
                                         : mixed(middle, deep, clamp01((v - 0.55) / 0.35));
            for (int x = 0; x < m_w; ++x) {
                const double n = fbm(double(x) / m_h * 2.0, double(y) / m_h * 2.0, 4, 3) - 0.5;
                const double lift = 22.0 * n;
                line[x] = qRgb(channel(base.red() + lift), channel(base.green() + lift),
                               channel(base.blue() + lift * 0.6));
            }
        }
    }

    void paintSunRays() {
        QImage layer = newLayer(m_size);
        {
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            const QPointF sun = at(0.58, -0.45);
            std::mt19937 rng(1303);
            std::uniform_real_distribution<double> jitter(-1.0, 1.0);
            for (int i = 0; i < 15; ++i) {
                const double angle = (-52.0 + i * 7.0 + 2.5 * jitter(rng)) * kPi / 180.0 + kPi / 2;
                const double spread = (0.8 + 0.6 * std::abs(jitter(rng))) * kPi / 180.0;
                const double length = m_h * (1.15 + 0.25 * jitter(rng));
                QPolygonF ray;
                ray << sun
                    << sun + QPointF(std::cos(angle - spread), std::sin(angle - spread)) * length
                    << sun + QPointF(std::cos(angle + spread), std::sin(angle + spread)) * length;
                QLinearGradient fade(at(0.5, 0.0), at(0.5, 0.8));
                const double strength = 0.5 + 0.3 * std::abs(jitter(rng));
                fade.setColorAt(0.0, QColor::fromRgbF(1, 1, 0.96f, float(strength)));
                fade.setColorAt(0.5, QColor::fromRgbF(1, 1, 0.96f, float(strength * 0.35)));
                fade.setColorAt(1.0, QColor::fromRgbF(1, 1, 1, 0));
                p.setBrush(fade);
                p.drawPolygon(ray);
            }
        }
        blur(layer, px(12));
        QPainter p(&m_image);
        p.setCompositionMode(QPainter::CompositionMode_Screen);
        p.drawImage(0, 0, layer);
    }

    // Hazy blue outlines of reef far behind, which give the water depth.
    void paintFarReef() {
        QImage layer = newLayer(m_size);
        {
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            std::mt19937 rng(77);
            std::uniform_real_distribution<double> unit(0.0, 1.0);
            for (int i = 0; i < 40; ++i) {
                const double u = unit(rng) * 1.1 - 0.05;
                const double v = 0.60 + 0.12 * unit(rng);
                const double rx = 0.03 + 0.06 * unit(rng);
                const double ry = 0.03 + 0.07 * unit(rng);
                const QColor colour =
                    mixed(QColor(150, 178, 214), QColor(178, 160, 210), unit(rng));
                p.setBrush(colour);
                p.drawEllipse(at(u, v), rx * m_h, ry * m_h);
            }
        }
        blur(layer, px(14));
        QPainter p(&m_image);
        p.setOpacity(0.55);
        p.drawImage(0, 0, layer);
    }

    void paintSand() {
        for (int y = 0; y < m_h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            const double v = double(y) / m_h;
            if (v < 0.78)
                continue;
            for (int x = 0; x < m_w; ++x) {
                const double u = double(x) / m_w;
                const double edge = (v - sandTop(u)) * m_h / px(10.0);
                if (edge < -1.0)
                    continue;
                const double cover = clamp01((edge + 1.0) / 2.0);
                const double X = double(x) / m_h;
                const double Y = double(y) / m_h;
                const double grain = fbm(X * 60.0, Y * 60.0, 2, 21) - 0.5;
                const double ripple =
                    std::sin(Y * 160.0 + 5.0 * fbm(X * 3.0, Y * 3.0, 3, 23) + X * 8.0);
                const double light = 0.35 * caustic(X * 1.3, Y * 2.6);
                const double depthShade = clamp01((v - sandTop(u)) * 6.0);
                double r = 226 + 30 * grain + 7 * ripple + 60 * light - 14 * (1 - depthShade);
                double g = 220 + 28 * grain + 7 * ripple + 60 * light - 10 * (1 - depthShade);
                double b = 198 + 24 * grain + 6 * ripple + 55 * light;
                const QRgb under = line[x];
                line[x] = qRgb(channel(qRed(under) + (r - qRed(under)) * cover),
                               channel(qGreen(under) + (g - qGreen(under)) * cover),
                               channel(qBlue(under) + (b - qBlue(under)) * cover));
            }
        }
    }

    QPolygonF blob(QPointF centre, double rx, double ry, double roughness, int seed,
                   bool flatBottom) const {
        QPolygonF polygon;
        const int steps = 90;
        for (int i = 0; i < steps; ++i) {
            const double a = 2 * kPi * i / steps;
            const double r =
                1.0 +
                roughness * (fbm(std::cos(a) * 1.5 + seed, std::sin(a) * 1.5, 3, seed) - 0.5) * 2.0;
            double y = std::sin(a) * ry * r;
            if (flatBottom && y > 0)
                y *= 0.35;
            polygon << centre + QPointF(std::cos(a) * rx * r, y);
        }
        return polygon;
    }

    void paintRocks() {
        QImage layer = newLayer(m_size);
        {
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            struct Rock {
                double u, v, rx, ry;
            };
            const Rock rocks[] = {{0.05, 0.86, 0.16, 0.09}, {0.30, 0.87, 0.12, 0.06},
                                  {0.52, 0.85, 0.10, 0.05}, {0.70, 0.88, 0.17, 0.08},
                                  {0.93, 0.84, 0.14, 0.10}, {0.17, 0.80, 0.08, 0.05},
                                  {0.83, 0.80, 0.07, 0.05}};
            int seed = 400;
            for (const Rock& rock : rocks) {
                const QPointF centre = at(rock.u, rock.v);
                QRadialGradient shade(centre - QPointF(0, rock.ry * m_h * 0.6),
                                      rock.rx * m_h * 1.6);
                shade.setColorAt(0.0, QColor(176, 172, 166));
                shade.setColorAt(0.6, QColor(134, 134, 142));
                shade.setColorAt(1.0, QColor(98, 104, 120));
                p.setBrush(shade);
                p.drawPolygon(blob(centre, rock.rx * m_h, rock.ry * m_h, 0.25, seed++, true));
            }
        }
        texture(layer, 25.0, 0.22, 501);
        blur(layer, px(2.5));
        QPainter p(&m_image);
        p.drawImage(0, 0, layer);
    }

    void paintBrainCoral(QPainter& p, QPointF centre, double rx, double ry, const QColor& colour,
                         int seed) {
        const QPolygonF outline = blob(centre, rx, ry, 0.08, seed, true);
        QRadialGradient shade(centre + QPointF(-rx * 0.3, -ry * 0.5), rx * 1.4);
        shade.setColorAt(0.0, colour.lighter(118));
        shade.setColorAt(0.7, colour);
        shade.setColorAt(1.0, colour.darker(135));
        p.setPen(Qt::NoPen);
        p.setBrush(shade);
        p.drawPolygon(outline);
        // Meandering grooves.
        p.save();
        QPainterPath clip;
        clip.addPolygon(outline);
        p.setClipPath(clip);
        QPen groove(colour.darker(128), std::max(1.0, rx * 0.016));
        groove.setCapStyle(Qt::RoundCap);
        p.setBrush(Qt::NoBrush);
        p.setPen(groove);
        std::mt19937 rng(static_cast<unsigned>(seed));
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        for (int i = 0; i < 40; ++i) {
            QPointF point = centre + QPointF((unit(rng) * 2 - 1) * rx, (unit(rng) * 1.2 - 1) * ry);
            double heading = unit(rng) * 2 * kPi;
            QPainterPath path(point);
            for (int k = 0; k < 24; ++k) {
                heading += (unit(rng) - 0.5) * 1.4;
                point += QPointF(std::cos(heading), std::sin(heading)) * rx * 0.05;
                path.lineTo(point);
            }
            p.drawPath(path);
        }
        p.restore();
    }

    void branch(QPainter& p, QPointF from, double angle, double length, double width,
                const QColor& colour, int depth, std::mt19937& rng) {
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        const QPointF to = from + QPointF(std::cos(angle), std::sin(angle)) * length;
        const QPointF bend = (from + to) / 2 + QPointF(-std::sin(angle), std::cos(angle)) * length *
                                                   0.12 * (unit(rng) - 0.5);
        QPainterPath path(from);
        path.quadTo(bend, to);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colour.darker(118), width, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path);
        // A lighter core, shifted towards the light, makes the branch look round.
        p.setPen(QPen(colour.lighter(112), width * 0.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(path.translated(-width * 0.12, -width * 0.1));
        if (depth == 0) {
            p.setPen(QPen(colour.lighter(125), width * 0.9, Qt::SolidLine, Qt::RoundCap));
            p.drawPoint(to);
            return;
        }
        const int children = unit(rng) < 0.35 ? 3 : 2;
        for (int c = 0; c < children; ++c) {
            const double spread =
                (c - (children - 1) / 2.0) * (0.4 + 0.35 * unit(rng)) + (unit(rng) - 0.5) * 0.3;
            const double pull = (-kPi / 2 - angle) * 0.25;
            branch(p, to, angle + spread + pull, length * (0.68 + 0.12 * unit(rng)), width * 0.78,
                   colour, depth - 1, rng);
        }
    }

    void paintBranchCoral(QPainter& p, QPointF base, double height, const QColor& colour,
                          int seed) {
        std::mt19937 rng(static_cast<unsigned>(seed));
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        const int stems = 3 + static_cast<int>(unit(rng) * 3);
        for (int i = 0; i < stems; ++i) {
            const double angle =
                -kPi / 2 + (i - (stems - 1) / 2.0) * 0.32 + (unit(rng) - 0.5) * 0.2;
            branch(p, base + QPointF((i - (stems - 1) / 2.0) * height * 0.06, 0), angle,
                   height * 0.40, height * 0.09, colour.darker(112), 3, rng);
        }
    }

    // Round heads of small polyps, a cauliflower coral.
    void paintPolypCoral(QPainter& p, QPointF centre, double radius, const QColor& colour,
                         int seed) {
        std::mt19937 rng(static_cast<unsigned>(seed));
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 150; ++i) {
            const double a = unit(rng) * kPi + kPi;
            const double r = std::sqrt(unit(rng)) * radius;
            const QPointF point = centre + QPointF(std::cos(a) * r * 1.2, std::sin(a) * r * 0.9);
            const double size = radius * (0.10 + 0.08 * unit(rng));
            QRadialGradient ball(point - QPointF(size * 0.3, size * 0.4), size * 1.2);
            ball.setColorAt(0.0, colour.lighter(122));
            ball.setColorAt(0.8, colour);
            ball.setColorAt(1.0, colour.darker(140));
            p.setBrush(ball);
            p.drawEllipse(point, size, size);
        }
    }

    void paintCorals(bool backRow) {
        const QColor pink(238, 150, 182);
        const QColor violet(168, 132, 212);
        const QColor white(242, 240, 234);
        QImage layer = newLayer(m_size);
        {
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            if (backRow) {
                const QColor colours[] = {violet, white, pink};
                std::mt19937 rng(2024);
                std::uniform_real_distribution<double> unit(0.0, 1.0);
                for (int i = 0; i < 11; ++i) {
                    const double u = 0.04 + i * 0.095 + 0.03 * (unit(rng) - 0.5);
                    const QColor colour = mixed(colours[i % 3], QColor(170, 200, 225), 0.35);
                    if (i % 2 == 0)
                        paintBranchCoral(p, at(u, 0.72), px(300 + 120 * unit(rng)), colour, 60 + i);
                    else
                        paintBrainCoral(p, at(u, 0.72), px(110 + 50 * unit(rng)),
                                        px(90 + 30 * unit(rng)), colour, 80 + i);
                }
            } else {
                paintBranchCoral(p, at(0.30, 0.80), px(420), violet, 11);
                paintBrainCoral(p, at(0.20, 0.81), px(150), px(115), pink, 12);
                paintPolypCoral(p, at(0.44, 0.80), px(150), pink, 13);
                paintBrainCoral(p, at(0.55, 0.82), px(170), px(120), white, 14);
                paintBranchCoral(p, at(0.66, 0.80), px(470), violet, 15);
                paintBranchCoral(p, at(0.77, 0.81), px(430), pink, 16);
                paintPolypCoral(p, at(0.87, 0.82), px(140), white, 17);
                paintBrainCoral(p, at(0.96, 0.80), px(150), px(125), violet, 18);
                paintPolypCoral(p, at(0.09, 0.84), px(120), violet, 19);
            }
        }
        texture(layer, 40.0, 0.18, backRow ? 601 : 602);
        blur(layer, px(backRow ? 5.0 : 2.6));
        QPainter p(&m_image);
        p.setOpacity(backRow ? 0.75 : 1.0);
        p.drawImage(0, 0, layer);
    }

    void paintSchool() {
        QImage layer = newLayer(m_size);
        {
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            std::mt19937 rng(555);
            std::normal_distribution<double> spread(0.0, 1.0);
            std::uniform_real_distribution<double> unit(0.0, 1.0);
            const QColor water(196, 226, 240);
            for (int i = 0; i < 150; ++i) {
                const double t = spread(rng);
                const double u = 0.21 + 0.09 * t + 0.04 * spread(rng);
                const double v = 0.14 - 0.045 * t + 0.035 * spread(rng);
                const double depth = unit(rng);
                const double length = px(40.0 * (1.0 - 0.4 * depth));
                const double angle = (-8.0 + 7.0 * spread(rng)) * kPi / 180.0;
                p.save();
                p.translate(at(u, v));
                p.rotate(angle * 180.0 / kPi);
                QPainterPath body;
                body.moveTo(length * 0.5, 0);
                body.cubicTo(length * 0.35, -length * 0.2, -length * 0.2, -length * 0.17,
                             -length * 0.42, 0);
                body.cubicTo(-length * 0.2, length * 0.15, length * 0.35, length * 0.17,
                             length * 0.5, 0);
                QPainterPath tail;
                tail.moveTo(-length * 0.36, 0);
                tail.lineTo(-length * 0.58, -length * 0.13);
                tail.lineTo(-length * 0.52, 0);
                tail.lineTo(-length * 0.58, length * 0.13);
                tail.closeSubpath();
                const double fade = 0.08 + 0.45 * depth;
                QLinearGradient silver(0, -length * 0.18, 0, length * 0.18);
                silver.setColorAt(0.0, mixed(QColor(64, 86, 112), water, fade));
                silver.setColorAt(0.45, mixed(QColor(226, 234, 242), water, fade));
                silver.setColorAt(1.0, mixed(QColor(250, 252, 255), water, fade));
                p.setPen(Qt::NoPen);
                p.setBrush(mixed(QColor(120, 140, 160), water, fade));
                p.drawPath(tail);
                p.setBrush(silver);
                p.drawPath(body);
                p.setBrush(mixed(QColor(30, 40, 50), water, fade));
                p.drawEllipse(QPointF(length * 0.34, -length * 0.03), length * 0.035,
                              length * 0.035);
                p.restore();
            }
        }
        blur(layer, px(1.5));
        QPainter p(&m_image);
        p.drawImage(0, 0, layer);
    }

    // The aquarium's own: white coral at the left edge with the cartoon diver in front of it.
    void paintWhiteCoralAndDiver() {
        QImage coral = newLayer(m_size);
        {
            QPainter p(&coral);
            p.setRenderHint(QPainter::Antialiasing);
            const QColor white(246, 244, 238);
            paintBranchCoral(p, at(0.07, 0.78), px(560), white, 31);
            paintPolypCoral(p, at(0.17, 0.73), px(110), white, 32);
        }
        texture(coral, 40.0, 0.10, 603);
        blur(coral, px(2.0));
        {
            QPainter p(&m_image);
            p.drawImage(0, 0, coral);
        }

        QImage layer = newLayer(m_size);
        {
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            // Drawn in aquarium pixels (543 rows high), facing right.
            const double k = m_h / 543.0;
            p.scale(k, k);
            const QPen outline(QColor(28, 34, 44), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
            const QColor suit(46, 86, 128);
            const QColor skin(248, 206, 170);

            // Bubbles rising from the snorkel.
            p.setPen(QPen(QColor(255, 255, 255, 220), 2.0));
            p.setBrush(QColor(255, 255, 255, 60));
            p.drawEllipse(QPointF(30, 42), 6, 6);
            p.drawEllipse(QPointF(40, 22), 8, 8);
            p.drawEllipse(QPointF(30, 4), 5, 5);

            // Body in the wetsuit, leaving the picture at the left.
            QPainterPath body;
            body.moveTo(-10, 190);
            body.cubicTo(20, 176, 70, 178, 92, 200);
            body.cubicTo(110, 232, 104, 290, 84, 330);
            body.lineTo(-10, 350);
            body.closeSubpath();
            p.setPen(outline);
            p.setBrush(suit);
            p.drawPath(body);
            // Stripe on the suit.
            p.setPen(QPen(QColor(240, 200, 60), 6.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(8, 208), QPointF(40, 330));

            // Arm waving forward, and the hand.
            QPainterPath arm(QPointF(72, 214));
            arm.cubicTo(110, 226, 130, 226, 150, 200);
            p.setPen(QPen(QColor(28, 34, 44), 27.0, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(arm);
            p.setPen(QPen(suit, 21.0, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(arm);
            p.setPen(outline);
            p.setBrush(skin);
            p.drawEllipse(QPointF(156, 190), 13, 15);
            p.drawEllipse(QPointF(165, 172), 5, 9);

            // Head.
            p.drawEllipse(QPointF(60, 138), 46, 46);
            // Hair at the back of the head.
            QPainterPath hair;
            hair.moveTo(20, 118);
            hair.cubicTo(24, 86, 66, 78, 86, 98);
            hair.cubicTo(70, 92, 52, 100, 46, 108);
            hair.cubicTo(40, 104, 30, 110, 20, 118);
            p.setBrush(QColor(176, 92, 40));
            p.drawPath(hair);
            // Ear.
            p.setBrush(skin);
            p.drawEllipse(QPointF(34, 146), 8, 11);
            // Mask strap around the head.
            p.setPen(QPen(QColor(28, 34, 44), 9.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(16, 128), QPointF(62, 124));
            p.setPen(QPen(QColor(40, 150, 70), 5.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(16, 128), QPointF(62, 124));
            // Nose and smile under the mask.
            p.setPen(outline);
            p.setBrush(skin);
            p.drawEllipse(QPointF(104, 148), 8, 9);
            QPainterPath smile(QPointF(80, 166));
            smile.quadTo(96, 176, 108, 164);
            p.setBrush(Qt::NoBrush);
            p.drawPath(smile);

            // The green diving mask with its glass, eye and highlight.
            QPainterPath mask;
            mask.addRoundedRect(QRectF(56, 104, 62, 42), 14, 14);
            p.setBrush(QColor(46, 184, 76));
            p.drawPath(mask);
            QPainterPath glass;
            glass.addRoundedRect(QRectF(64, 110, 46, 30), 9, 9);
            p.setBrush(QColor(196, 240, 248));
            p.drawPath(glass);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(88, 125), 9, 10);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(28, 34, 44));
            p.drawEllipse(QPointF(92, 126), 4.5, 5.5);
            p.setPen(QPen(QColor(255, 255, 255, 230), 4.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(70, 134), QPointF(80, 114));

            // Snorkel from the mouth up behind the head.
            QPainterPath snorkel(QPointF(84, 170));
            snorkel.cubicTo(60, 190, 28, 176, 28, 140);
            snorkel.lineTo(30, 58);
            p.setPen(QPen(QColor(28, 34, 44), 13.0, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(snorkel);
            p.setPen(QPen(QColor(250, 196, 40), 8.0, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(snorkel);
        }
        blur(layer, 0.9 * m_h / 543.0);
        QPainter p(&m_image);
        p.setOpacity(0.92);
        p.drawImage(0, 0, layer);
    }

    // Specks drifting in the water, soft and out of focus.
    void paintParticles() {
        QImage layer = newLayer(m_size);
        {
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            std::mt19937 rng(4242);
            std::uniform_real_distribution<double> unit(0.0, 1.0);
            for (int i = 0; i < 260; ++i) {
                const QPointF point = at(unit(rng), unit(rng) * 0.85);
                const double radius = px(1.5 + 3.5 * unit(rng) * unit(rng));
                p.setBrush(QColor(255, 255, 250, 90 + static_cast<int>(110 * unit(rng))));
                p.drawEllipse(point, radius, radius);
            }
        }
        blur(layer, px(2.0));
        QPainter p(&m_image);
        p.drawImage(0, 0, layer);
    }

    // Light on top surfaces, haze that washes the colours out, and film grain.
    void finish() {
        const QColor haze(214, 236, 246);
        std::mt19937 rng(9);
        std::normal_distribution<double> grain(0.0, 2.2);
        for (int y = 0; y < m_h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
            const double v = double(y) / m_h;
            const double wash = 0.30 - 0.08 * v;
            const double causticStrength =
                44.0 * clamp01(1.0 - v / 0.14) + 26.0 * smooth(clamp01((v - 0.45) / 0.3));
            for (int x = 0; x < m_w; ++x) {
                const double X = double(x) / m_h;
                const double Y = double(y) / m_h;
                const double light = causticStrength * caustic(X * 0.8, Y * 0.8 + 3.0);
                const double u = double(x) / m_w;
                const double vignette =
                    1.0 - 0.06 * ((u - 0.5) * (u - 0.5) + (v - 0.4) * (v - 0.4));
                const double g = grain(rng);
                const QRgb c = line[x];
                auto out = [&](int value, int hazeValue) {
                    return channel(((value + (hazeValue - value) * wash) + light + g) * vignette);
                };
                line[x] = qRgb(out(qRed(c), haze.red()), out(qGreen(c), haze.green()),
                               out(qBlue(c), haze.blue()));
            }
        }
    }

    QSize m_size;
    int m_w = 0;
    int m_h = 0;
    double m_s = 1.0;
    bool m_withDiver = false;
    QImage m_image;
};

} // namespace

QImage paintScene(QSize size, bool withDiver) {
    return Painter(size, withDiver).paint();
}

} // namespace reef
