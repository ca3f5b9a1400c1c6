#include "effects/punkt.h"
#include "effects/zmathe.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>

namespace {

void ExpectVector(const zvektor& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

} // namespace

TEST(Zvektor, CrossProductsInEveryForm) {
    const zvektor a(1, 2, 3);
    const zvektor b(4, 5, 6);
    zvektor member, self(a), free, left(a), alias(a);
    member.KreuzProdukt(&a, &b);
    self.KreuzProdukt(&b);
    KreuzProdukt(&a, &b, &free);
    left %= b;
    KreuzProdukt(&alias, &b, &alias); // writing into an operand reads it whole first
    // a x b = (2*6 - 3*5, 3*4 - 1*6, 1*5 - 2*4)
    for (const zvektor& v : {member, self, free, left, alias, a % b}) {
        ExpectVector(v, -3, 6, -3);
    }
    ExpectVector(zvektor(1, 0, 0) % zvektor(0, 1, 0), 0, 0, 1);
}

TEST(Zvektor, ScalarProductAndLengthSumLeftToRight) {
    const zvektor a(1, 2, 3);
    const zvektor b(4, 5, 6);
    for (float product : {a.SkalarProdukt(&b), SkalarProdukt(&a, &b), a * b}) {
        EXPECT_EQ(product, 32.0f);
    }
    EXPECT_EQ(zvektor(3, 4, 0).Betrag(), 5.0f);
    // 1 + 2^-24 + 2^-24 is 1 summed left to right, 1 + 2^-23 summed otherwise.
    const float tiny = std::ldexp(1.0f, -12);
    const zvektor c(1, tiny, tiny);
    EXPECT_EQ(c.SkalarProdukt(&c), 1.0f);
    EXPECT_EQ(c * c, 1.0f);
}

TEST(Zvektor, NormalisingAZeroVector) {
    zvektor v(0, 3, 4);
    v.Normalisieren();
    ExpectVector(v, 0, 0.6f, 0.8f);
    zvektor w(0, 0, -5);
    Normalisieren(&w);
    ExpectVector(w, 0, 0, -1);
    zvektor zero;
    zero.Normalisieren(); // the member divides by the zero length; the free function is guarded
    EXPECT_TRUE(std::isnan(zero.x) && std::isnan(zero.y) && std::isnan(zero.z));
    zvektor guarded;
    Normalisieren(&guarded);
    ExpectVector(guarded, 0, 0, 0);
}

TEST(Zvektor, NullPointersChangeNothing) {
    zvektor v(1, 2, 3);
    v.Set(nullptr);
    v.Add(nullptr);
    v.Sub(nullptr);
    v.KreuzProdukt(nullptr);
    v.KreuzProdukt(nullptr, &v);
    KreuzProdukt(&v, nullptr, &v);
    KreuzProdukt(&v, &v, nullptr);
    Normalisieren(nullptr);
    ExpectVector(v, 1, 2, 3);
    EXPECT_EQ(v.SkalarProdukt(nullptr), 0.0f);
    EXPECT_EQ(SkalarProdukt(nullptr, &v), 0.0f);
    ExpectVector(zvektor(static_cast<const zvektor*>(nullptr)), 0, 0, 0);
}

TEST(Punkt, InitialisersSetHueToNone) {
    punkt p;
    p.initWithPoint(QPointF(12.9, -3.7));
    EXPECT_EQ(p.Position(), QPointF(12, -3)); // toward zero
    EXPECT_EQ(p.TargetHue(), -2.0f);
    punkt q;
    q.setTargetHue(33.0f);
    q.initWithCoords(5, 6);
    EXPECT_EQ(q.TargetHue(), 33.0f); // left as it was
    for (const punkt& r : {p, q}) {
        EXPECT_EQ(r.Hue(), -2.0f);
        EXPECT_FALSE(r.HasHue());
    }
    for (float hue : {-2.0f, -1.0f, -0.999f, 0.0f, 359.0f}) {
        q.SetHue(hue);
        EXPECT_EQ(q.HasHue(), hue > -1.0f) << hue;
    }
}

TEST(Punkt, ScaleTruncatesTowardZero) {
    punkt p = punkt().initWithCoords(7, -7);
    p.Scale(0.5f, 0.5f);
    EXPECT_EQ(std::pair(p.X(), p.Y()), std::pair(3, -3));
    p.Scale(1e30f, -1e30f); // far beyond int32: saturates
    EXPECT_EQ(std::pair(p.X(), p.Y()), std::pair(INT32_MAX, INT32_MAX));
}

TEST(Punkt, TransformMovesOneCoordinateIntoTheCut) {
    const struct {
        int32_t x, y, w, h, cw, ch, wantX, wantY;
    } cases[] = {
        {100, 50, 640, 640, 480, 640, 20, 50},
        {10, 50, 640, 640, 480, 640, 0, 50},
        {600, 50, 640, 640, 480, 640, 479, 50},
        {100, 100, 640, 640, 640, 480, 100, 20}, // cw >= ch: y moves, x stays
        {100, 600, 640, 640, 640, 480, 100, 479},
        {100, 0, 641, 0, 480, 640, 20, 0}, // halving toward zero: (641 - 480) / 2 = 80
        // sizes at the ends of int32 neither overflow nor escape the cut
        {INT32_MAX, 0, INT32_MIN, 0, INT32_MAX - 1, INT32_MAX, INT32_MAX - 2, 0},
        {5, 0, INT32_MAX, 0, INT32_MIN, INT32_MAX, INT32_MIN, 0},
    };
    for (const auto& c : cases) {
        punkt p = punkt().initWithCoords(c.x, c.y);
        p.Transform(c.w, c.h, c.cw, c.ch);
        EXPECT_EQ(std::pair(p.X(), p.Y()), std::pair(c.wantX, c.wantY)) << c.x << "," << c.w;
    }
}
