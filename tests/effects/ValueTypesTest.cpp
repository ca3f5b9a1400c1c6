#include "effects/Farbe.h"
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

TEST(Zvektor, ConstructorsArithmeticAndOperators) {
    ExpectVector(zvektor(), 0, 0, 0);
    const zvektor a(1, 2, 3);
    const zvektor b(4, 5, 6);
    ExpectVector(zvektor(&a), 1, 2, 3);
    zvektor v(9, 9, 9);
    v.Set(&a);
    v.Scale(2);
    ExpectVector(v, 2, 4, 6);
    v.Add(&a);
    v.Add(1, 2, 3);
    v.Sub(&b);
    ExpectVector(v, 0, 3, 6);
    v.Set(7, 8, 9);
    ExpectVector(v, 7, 8, 9);
    v.Null();
    ExpectVector(v, 0, 0, 0);
    ExpectVector(a + b, 5, 7, 9);
    ExpectVector(b - a, 3, 3, 3);
    ExpectVector(a * 2.0f, 2, 4, 6);
    ExpectVector(2.0f * a, 2, 4, 6);
    v = a;
    v += b;
    v -= a;
    v *= 0.5f;
    ExpectVector(v, 2, 2.5f, 3);
}

TEST(Zvektor, CrossProductsInEveryForm) {
    const zvektor a(1, 2, 3);
    const zvektor b(4, 5, 6);
    // a x b = (2*6 - 3*5, 3*4 - 1*6, 1*5 - 2*4)
    zvektor m;
    m.KreuzProdukt(&a, &b);
    ExpectVector(m, -3, 6, -3);
    zvektor self(1, 2, 3);
    self.KreuzProdukt(&b);
    ExpectVector(self, -3, 6, -3);
    zvektor out;
    KreuzProdukt(&a, &b, &out);
    ExpectVector(out, -3, 6, -3);
    ExpectVector(a % b, -3, 6, -3);
    zvektor left(1, 2, 3);
    left %= b;
    ExpectVector(left, -3, 6, -3);
    // Writing into an operand reads it whole first.
    zvektor alias(1, 2, 3);
    KreuzProdukt(&alias, &b, &alias);
    ExpectVector(alias, -3, 6, -3);
    ExpectVector(zvektor(1, 0, 0) % zvektor(0, 1, 0), 0, 0, 1);
}

TEST(Zvektor, ScalarProductAndLengthSumLeftToRight) {
    const zvektor a(1, 2, 3);
    const zvektor b(4, 5, 6);
    EXPECT_EQ(a.SkalarProdukt(&b), 32.0f);
    EXPECT_EQ(SkalarProdukt(&a, &b), 32.0f);
    EXPECT_EQ(a * b, 32.0f);
    EXPECT_EQ(zvektor(3, 4, 0).Betrag(), 5.0f);
    EXPECT_EQ(zvektor(3, 4, 0).Length(), 5.0f);
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
    zvektor u(0, 0, 2);
    u.Normalize();
    ExpectVector(u, 0, 0, 1);
    zvektor zero;
    zero.Normalisieren();
    EXPECT_TRUE(std::isnan(zero.x) && std::isnan(zero.y) && std::isnan(zero.z));
    zvektor guarded;
    Normalisieren(&guarded);
    ExpectVector(guarded, 0, 0, 0);
    zvektor w(0, 0, -5);
    Normalisieren(&w);
    ExpectVector(w, 0, 0, -1);
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
    EXPECT_EQ(p.X(), 12);
    EXPECT_EQ(p.Y(), -3); // toward zero
    EXPECT_EQ(p.Hue(), -2.0f);
    EXPECT_EQ(p.TargetHue(), -2.0f);
    EXPECT_EQ(p.OriginalPosition(), QPointF(0, 0));
    EXPECT_FALSE(p.HasHue());

    punkt q;
    q.setTargetHue(33.0f);
    q.initWithCoords(5, 6);
    EXPECT_EQ(q.Position(), QPointF(5, 6));
    EXPECT_EQ(q.Hue(), -2.0f);
    EXPECT_EQ(q.TargetHue(), 33.0f); // left as it was
    EXPECT_FALSE(q.HasHue());
    EXPECT_EQ(punkt().initWithCoords(1, 2).TargetHue(), 0.0f);
}

TEST(Punkt, HasHueAboveMinusOne) {
    const struct {
        float hue;
        bool has;
    } cases[] = {{-2.0f, false}, {-1.0f, false}, {-0.999f, true}, {0.0f, true}, {359.0f, true}};
    for (const auto& c : cases) {
        punkt p = punkt().initWithCoords(0, 0);
        p.SetHue(c.hue);
        EXPECT_EQ(p.HasHue(), c.has) << c.hue;
        EXPECT_EQ(p.Hue(), c.hue);
    }
}

TEST(Punkt, ScaleTruncatesTowardZero) {
    punkt p = punkt().initWithCoords(7, -7);
    p.Scale(0.5f, 0.5f);
    EXPECT_EQ(p.X(), 3);
    EXPECT_EQ(p.Y(), -3);
    p.Scale(1e30f, -1e30f); // far beyond int32: saturates
    EXPECT_EQ(p.X(), INT32_MAX);
    EXPECT_EQ(p.Y(), INT32_MAX);
}

struct TransformCase {
    int32_t x, y, w, h, cw, ch;
    int32_t wantX, wantY;
};

class PunktTransform : public ::testing::TestWithParam<TransformCase> {};

TEST_P(PunktTransform, MovesOneCoordinateIntoTheCut) {
    const TransformCase& c = GetParam();
    punkt p = punkt().initWithCoords(c.x, c.y);
    p.Transform(c.w, c.h, c.cw, c.ch);
    EXPECT_EQ(p.X(), c.wantX);
    EXPECT_EQ(p.Y(), c.wantY);
}

INSTANTIATE_TEST_SUITE_P(
    Punkt, PunktTransform,
    ::testing::Values(TransformCase{100, 50, 640, 640, 480, 640, 20, 50},
                      TransformCase{10, 50, 640, 640, 480, 640, 0, 50},
                      TransformCase{600, 50, 640, 640, 480, 640, 479, 50},
                      // cw >= ch: y moves, x stays
                      TransformCase{100, 100, 640, 640, 640, 480, 100, 20},
                      TransformCase{100, 600, 640, 640, 640, 480, 100, 479},
                      // halving toward zero: (641 - 480) / 2 = 80
                      TransformCase{100, 0, 641, 0, 480, 640, 20, 0},
                      // sizes at the ends of int32 neither overflow nor escape the cut
                      TransformCase{INT32_MAX, 0, INT32_MIN, 0, INT32_MAX - 1, INT32_MAX,
                                    INT32_MAX - 2, 0},
                      TransformCase{5, 0, INT32_MAX, 0, INT32_MIN, INT32_MAX, INT32_MIN, 0}));

TEST(Farbe, InitWithReturnsTheObject) {
    Farbe f;
    EXPECT_EQ(&f.InitWith(0.1f, 0.2f, 0.3f), &f);
    EXPECT_EQ(f.x() + f.y() + f.z(), 0.1f + 0.2f + 0.3f);
}
