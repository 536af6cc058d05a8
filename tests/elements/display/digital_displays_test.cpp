#include "elements/core/formula/conversion_error.h"
#include "elements/core/record.h"
#include "elements/core/text_grid.h"
#include "elements/display/clock_displays.h"
#include "elements/display/glyphs.h"
#include "elements/display/lamps.h"
#include "elements/display/lcd_text.h"
#include "elements/display/number_display.h"
#include "elements/display/display_painting.h"
#include "shape_scene.h"

namespace ovanto::testing {
namespace {

constexpr TColor kRed = rgbColor(255, 0, 0);
constexpr TColor kGrey = 8421504;

// True when the scene's cell at (left, top) shows the picture, stretched by `scale`.
bool cellShows(const ShapeScene& scene, int left, int top, const QImage& glyph, int scale = 1,
               TColor lit = kGlyphLit, TColor dim = -1) {
    for (int y = 0; y < glyph.height() * scale; ++y)
        for (int x = 0; x < glyph.width() * scale; ++x) {
            TColor want = fromQRgb(glyph.pixel(x / scale, y / scale));
            if (want == kGlyphLit) want = lit;
            else if (want != kBlack && dim >= 0) want = dim;
            if (scene.at(left + x, top + y) != want) return false;
        }
    return true;
}

// Everything an element paints lies inside its bounds.
TEST(DigitalDisplays, PaintOnlyInsideTheirBounds) {
    struct Case {
        const char* keyword;
        Props props;
    };
    const Case cases[] = {
        {"NUMBER", {{"BorderType", "1"}, {"BorderWidth", "3"}}},
        {"NUMBER", {{"BorderType", "2"}}},
        {"NUMBER", {{"BorderType", "3"}, {"BorderWidth", "2"}}},
        {"NUMBER", {{"BorderType", "4"}, {"Width (0=auto)", "90"}}},
        {"NUMBER", {{"Size", "20"}, {"Format", "%d Stück"}}},
        {"LCD", {{"BorderType", "2"}, {"BorderWidth", "3"}}},
        {"LCD", {{"BorderType", "1"}, {"Size (0-10)", "0"}}},
        {"LCD", {{"Size (0-10)", "3"}, {"FormatWidth", "3"}}},
        {"7SEG", {{"BorderType", "2"}, {"Size (1-10)", "2"}}},
        {"7SEG", {{"BorderType", "1"}, {"Size (1-10)", "0"}}},
        {"LCDTEXT", {{"BorderType", "2"}, {"Format", "T=%5.1f°C"}}},
        {"LCDTEXT", {{"BorderType", "1"}, {"Size (0-10)", "0"}}},
        {"LED", {}},
        {"RECTLED", {}},
        {"PHOTOSENSOR", {}},
        {"PHOTOSENSOR", {{"Direction (0-3)", "1"}}},
        {"PHOTOSENSOR", {{"Direction (0-3)", "2"}, {"y", "150"}}},
        {"PHOTOSENSOR", {{"Direction (0-3)", "3"}, {"y", "150"}}},
        {"TIME", {}},
        {"DATE", {{"Size", "16"}}},
    };
    for (const Case& c : cases) {
        ShapeScene scene(300, 200);
        scene.window.table[1] = 12.5;
        TGraph& e = scene.add(c.keyword, c.props);
        e.setText(TGraph::kRGBFill, "255");
        scene.draw(e);
        Rect bounds;
        e.GetBounds(bounds);
        int painted = 0, outside = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x) {
                if (scene.at(x, y) == kWhite) continue;
                ++painted;
                outside += !bounds.contains(x, y);
            }
        EXPECT_GT(painted, 20) << c.keyword;
        EXPECT_EQ(outside, 0) << c.keyword << " bounds " << bounds.left << "," << bounds.top << ","
                              << bounds.right << "," << bounds.bottom;
    }
}

// --- NUMBER ------------------------------------------------------------------------------

TEST(NumberGraph, ShowsStarsForNoChannelAndCentresInAFixedWidth) {
    ShapeScene scene(300, 100);
    scene.window.table[1] = 2.5;
    auto& number = static_cast<TNumberGraph&>(scene.add("NUMBER"));
    EXPECT_EQ(number.displayText(), QStringLiteral(" 2.5"));
    number.setText(TNumberGraph::kInput, "200");
    EXPECT_EQ(number.displayText(), QStringLiteral("***"));
    number.setText(TNumberGraph::kInput, "1");

    const auto inkLeft = [](const ShapeScene& s) {
        for (int x = 0; x < s.image.width(); ++x)
            for (int y = 0; y < s.image.height(); ++y)
                if (s.at(x, y) != kWhite) return x;
        return -1;
    };
    scene.draw(number);
    const int autoLeft = inkLeft(scene);
    ShapeScene wide(300, 100);
    wide.window.table[1] = 2.5;
    TGraph& centred = wide.add("NUMBER", {{"Width (0=auto)", "200"}});
    wide.draw(centred);
    Rect box;
    centred.GetBounds(box);
    EXPECT_EQ(box.right - box.left, 200);
    EXPECT_GT(inkLeft(wide), autoLeft + 60);
}

TEST(NumberGraph, BorderTypesFillAndBevel) {
    struct Case {
        const char* type;
        const char* fill;
        TColor inside; // just inside the frame, away from the text
        TColor bottomEdge; // on the light bevel line, if any
    };
    const Case cases[] = {
        {"1", "255", kWhite, kWhite},
        {"2", "255", kRed, kRed},
        {"3", "255", kWhite, 12632256},
        {"4", "255", kRed, 12632256},
        {"4", "12632256", 12632256, kWhite},
    };
    for (const Case& c : cases) {
        ShapeScene scene(300, 100);
        TGraph& number = scene.add("NUMBER", {{"BorderType", c.type}, {"Width (0=auto)", "100"}});
        number.setText(TGraph::kRGBFill, c.fill);
        scene.draw(number);
        Rect b;
        number.GetBounds(b);
        EXPECT_EQ(scene.at(b.left, b.top + 5), kBlack) << c.type;
        EXPECT_EQ(scene.at(b.left + 6, (b.top + b.bottom) / 2), c.inside) << c.type << " " << c.fill;
        EXPECT_EQ(scene.at((b.left + b.right) / 2, b.bottom - 2), c.bottomEdge) << c.type << " " << c.fill;
    }
}

TEST(NumberGraph, FilledBevelMatchesTheTwoPixelLinesItStandsFor) {
    std::vector<Rect> boxes{Rect{30, 30, 5, 8}, Rect{-4, -3, 70, 30}};
    for (int x = 1; x < 4; ++x)
        for (int w = 0; w <= 40; ++w)
            for (int h = 0; h <= 40; h += 3) boxes.push_back(Rect{x, 2, x + w, 2 + h});
    for (const Rect box : boxes) {
        QImage lines(100, 50, QImage::Format_RGB32), filled = lines;
        lines.fill(Qt::white);
        filled.fill(Qt::white);
        {
            Canvas canvas(lines);
            const Rect b = box.normalized();
            canvas.setPenWidth(2);
            canvas.setPenColor(kRed);
            canvas.moveTo(b.left + 2, b.bottom - 2);
            canvas.lineTo(b.right - 2, b.bottom - 2);
            canvas.lineTo(b.right - 2, b.top + 2);
            canvas.setPenColor(kGrey);
            canvas.lineTo(b.left + 2, b.top + 2);
            canvas.lineTo(b.left + 2, b.bottom - 2);
        }
        {
            Canvas canvas(filled);
            DrawSunkenBevel(canvas, box, kRed);
        }
        EXPECT_EQ(lines, filled) << box.left << "," << box.top << "," << box.right << "," << box.bottom;
    }
}

// --- LCD and 7SEG ------------------------------------------------------------------------

TEST(DigitDisplays, CellsShowTheGlyphsOfTheFormattedText) {
    struct Case {
        const char* keyword;
        const char* size;
        DigitFace face;
        int scale;
    };
    const Case cases[] = {
        {"LCD", "1", DigitFace::LcdNormal, 1}, {"LCD", "0", DigitFace::LcdSmall, 1},
        {"LCD", "2", DigitFace::LcdNormal, 2}, {"LCD", "11", DigitFace::LcdNormal, 10},
        {"7SEG", "1", DigitFace::Seg7Normal, 1}, {"7SEG", "2", DigitFace::Seg7Big, 1},
        {"7SEG", "0", DigitFace::Seg7Normal, 1}, {"7SEG", "3", DigitFace::Seg7Normal, 3},
    };
    const int glyphs[] = {15, 11, 3, 13, 1, 4}; // " -3.14"
    for (const Case& c : cases) {
        ShapeScene scene(1000, 260);
        scene.window.table[1] = -3.14L;
        const char* sizeCaption = QLatin1String(c.keyword) == QLatin1String("LCD") ? "Size (0-10)" : "Size (1-10)";
        TGraph& e = scene.add(c.keyword, {{"x", "10"}, {"y", "250"}, {"FormatWidth", "6"}, {"FormatPrecision", "2"},
                                          {sizeCaption, c.size}});
        scene.draw(e);
        const DigitImageList& list = DigitImages(c.face);
        const int w = list[0].width() * c.scale, h = list[0].height() * c.scale;
        for (int p = 0; p < 6; ++p)
            EXPECT_TRUE(cellShows(scene, 10 + w * p, 250 - h, list[static_cast<std::size_t>(glyphs[p])], c.scale))
                << c.keyword << " size " << c.size << " position " << p + 1;
    }
}

TEST(DigitDisplays, RecolourPerElementAndBackWithoutLosingTheDimPixels) {
    ShapeScene scene(200, 100);
    scene.window.table[1] = 8;
    TGraph& red = scene.add("7SEG", {{"x", "0"}, {"y", "30"}, {"FormatWidth", "1"}, {"FormatPrecision", "0"}});
    TGraph& plain = scene.add("7SEG", {{"x", "0"}, {"y", "80"}, {"FormatWidth", "1"}, {"FormatPrecision", "0"}});
    EXPECT_EQ(plain.text(TGraph::kRGBStroke), QStringLiteral("16776960")); // learnt from the glyph
    const QImage& eight = DigitImages(DigitFace::Seg7Normal)[8];
    // Black makes lit, dim and background pixels alike; red afterwards must still find them.
    for (const char* stroke : {"255", "0", "255"}) {
        red.setText(TGraph::kRGBStroke, stroke);
        scene.draw(red);
    }
    scene.draw(plain);
    EXPECT_TRUE(cellShows(scene, 0, 8, eight, 1, kRed, rgbColor(127, 0, 0)));
    EXPECT_TRUE(cellShows(scene, 0, 58, eight));
    // A stroke that differs only above the colour bytes realises the same colour.
    plain.setText(TGraph::kRGBStroke, QString::number(0x01000000 + 16776960));
    scene.draw(plain);
    EXPECT_TRUE(cellShows(scene, 0, 58, eight));
}

TEST(DigitDisplays, SizeRowIsReadOnlyFromVersion357) {
    const QString record =
        QStringLiteral("LCD\t16776960\t16777215\t1\t-1\t0\t0\t\t40\t40\t4\t1\t1\t0\t1\t0");
    for (const auto& [version, size] : {std::pair{356, 1}, std::pair{357, 0}}) {
        ShapeScene scene;
        SetRecordVersion(version);
        const TGraph* lcd = ReadRecord(scene.window, record);
        SetRecordVersion(435);
        ASSERT_NE(lcd, nullptr);
        EXPECT_EQ(lcd->intValue(TGraph::kFirstClassProperty + 7), size) << version;
    }
}

// --- LCDTEXT -----------------------------------------------------------------------------

TEST(LcdTextGraph, DrawsCharacterPicturesAndAsterisksForMissingOnes) {
    struct Case {
        const char* format;
        const char* size;
        std::vector<int> codes;
    };
    const Case cases[] = {
        {"µ@A", "1", {181, 42, 65}},
        {"ü\\9", "0", {252, 42, 57}},
    };
    for (const Case& c : cases) {
        ShapeScene scene(200, 100);
        TGraph& text = scene.add("LCDTEXT", {{"x", "5"}, {"y", "60"}, {"Size (0-10)", c.size}});
        text.setText(TLCDTextGraph::kFormat, QString::fromUtf8(c.format));
        scene.draw(text);
        const bool small = QLatin1String(c.size) == QLatin1String("0");
        for (std::size_t i = 0; i < c.codes.size(); ++i) {
            const QImage& glyph = LcdCharacterImage(c.codes[i], small);
            EXPECT_TRUE(cellShows(scene, 5 + glyph.width() * static_cast<int>(i), 60 - glyph.height(), glyph, 1,
                                  kGlyphLit, kTextDim))
                << c.format << " " << i;
        }
    }
}

TEST(LcdTextGraph, RecoloursAndDrawsNothingForAnIntegerPattern) {
    ShapeScene scene(200, 100);
    TGraph& text = scene.add("LCDTEXT", {{"x", "5"}, {"y", "60"}});
    text.setText(TLCDTextGraph::kFormat, QStringLiteral("%d"));
    EXPECT_NO_THROW(scene.draw(text));
    EXPECT_EQ(scene.count(kWhite), 200 * 100);
    EXPECT_THROW(static_cast<TLCDTextGraph&>(text).displayText(), ConversionError);

    text.setText(TLCDTextGraph::kFormat, QStringLiteral("8"));
    text.setText(TGraph::kRGBStroke, "255");
    scene.draw(text);
    EXPECT_TRUE(cellShows(scene, 5, 38, LcdCharacterImage('8', false), 1, kRed, rgbColor(127, 0, 0)));
}

// --- LED, RECTLED, PHOTOSENSOR ----------------------------------------------------------

TEST(LampGraph, LightsInTheFillColourFromOnValueUntilSwitchedOffAtTheEnd) {
    struct Case {
        const char* keyword;
        QPoint seed;
    };
    for (const Case& c : {Case{"LED", {45, 35}}, Case{"RECTLED", {43, 33}}}) {
        ShapeScene scene;
        auto& lamp = static_cast<TLEDGraph&>(scene.add(c.keyword, {{"OffAtSimEnd (0/1)", "1"}}));
        const auto colourAt = [&](long double input) {
            scene.window.table[1] = input;
            scene.image.fill(Qt::white);
            scene.draw(lamp);
            return scene.at(c.seed.x(), c.seed.y());
        };
        EXPECT_EQ(colourAt(4.99L), kGrey) << c.keyword;
        EXPECT_EQ(colourAt(5), 65280) << c.keyword;
        lamp.SimulationEnd();
        EXPECT_EQ(scene.window.repaintRequests, 1);
        EXPECT_EQ(colourAt(9), kGrey) << c.keyword;
        lamp.SimulationStart();
        EXPECT_EQ(colourAt(9), 65280) << c.keyword;
        lamp.setText(TLEDGraph::kOffAtSimEnd, "0");
        lamp.SimulationEnd();
        EXPECT_EQ(colourAt(9), 65280) << c.keyword;
    }
}

TEST(LampGraph, FillNeverLeavesTheLamp) {
    for (const char* keyword : {"LED", "RECTLED"}) {
        ShapeScene scene;
        scene.image.fill(toQColor(kLampGlass)); // the window looks like the lamp's glass
        scene.window.table[1] = 9;
        TGraph& lamp = scene.add(keyword);
        scene.draw(lamp);
        int lit = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                const bool inLamp = x >= 40 && x < 56 && y >= 24 && y < 40;
                if (scene.at(x, y) == 65280) {
                    ++lit;
                    EXPECT_TRUE(inLamp) << keyword << " " << x << "," << y;
                }
            }
        EXPECT_GT(lit, 20) << keyword;
    }
}

TEST(LampGraph, InputSitsInRowThreeAndAfterOnValueInTheRecord) {
    struct Case {
        int version;
        const char* record;
        const char* input;
        int offAtEnd;
    };
    const Case cases[] = {
        {435, "LED\t0\t65280\t1\t-1\t0\t0\t\t40\t40\t5.0\tI3\t1", "I3", 1},
        {421, "LED\t0\t65280\t1\t-1\t0\t0\t\t40\t40\t5.0\tI3", "I3", 0},
        {435, "RECTLED\t0\t255\t2\t-1\t0\t0\tx\t4\t5\t1\t7\t0", "7", 0},
    };
    for (const Case& c : cases) {
        ShapeScene scene;
        SetRecordVersion(c.version);
        auto* lamp = static_cast<TLEDGraph*>(ReadRecord(scene.window, QString::fromLatin1(c.record)));
        SetRecordVersion(435);
        ASSERT_NE(lamp, nullptr) << c.record;
        EXPECT_EQ(lamp->input().text(), QString::fromLatin1(c.input)) << c.record;
        EXPECT_EQ(lamp->intValue(TLEDGraph::kOffAtSimEnd), c.offAtEnd) << c.record;
        if (c.version == 435) {
            EXPECT_EQ(WriteRecord(*lamp), QString::fromLatin1(c.record));
        }
    }
    const QString sensor = QStringLiteral("PHOTOSENSOR\t0\t52479\t1\t-1\t0\t0\t\t40\t40\t100\t16\t5.0\tI2\t3");
    ShapeScene scene;
    auto* photo = static_cast<TPhotoSensorGraph*>(ReadRecord(scene.window, sensor));
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->input().text(), QStringLiteral("I2"));
    EXPECT_EQ(photo->intValue(TPhotoSensorGraph::kDirection), 3);
    EXPECT_EQ(WriteRecord(*photo), sensor);

    // The grid: "Input" in row 3, LType kept out of it.
    TGraph& led = scene.add("LED");
    MemoryGrid elements(2, 2), props(2);
    led.InitPropGrid(elements, props, 1, true);
    EXPECT_EQ(props.rowCount(), 11);
    EXPECT_EQ(props.cell(0, 3), QStringLiteral("Input"));
    EXPECT_EQ(props.cell(1, 2), QStringLiteral("65280"));
    led.PropsToGrid(elements, props, 1);
    props.setCell(1, 3, QStringLiteral("i2*2"));
    led.GridToProps(elements, props, 1);
    EXPECT_EQ(static_cast<TLEDGraph&>(led).input().text(), QStringLiteral("I2*2"));
    EXPECT_EQ(led.lineType(), 1);
    props.setCell(1, 3, QStringLiteral("((("));
    EXPECT_THROW(led.GridToProps(elements, props, 1), ConversionError);
}

TEST(PhotoSensorGraph, BeamAndReceiverLightUpFromOnValue) {
    struct Case {
        const char* direction;
        const char* y;
        QPoint beam, receiver, emitter;
    };
    const Case cases[] = {
        {"0", "40", {80, 32}, {136, 30}, {42, 32}},
        {"1", "40", {80, 32}, {44, 30}, {138, 32}},
        {"2", "150", {48, 100}, {48, 54}, {48, 148}},
        {"3", "150", {48, 100}, {48, 145}, {48, 52}},
    };
    for (const Case& c : cases) {
        for (const long double input : {4.0L, 5.0L}) {
            ShapeScene scene(200, 200);
            scene.window.table[1] = input;
            TGraph& sensor = scene.add("PHOTOSENSOR", {{"Direction (0-3)", c.direction}, {"y", c.y}});
            scene.draw(sensor);
            const TColor on = input >= 5 ? 52479 : kGrey;
            EXPECT_EQ(scene.at(c.beam.x(), c.beam.y()), on) << c.direction;
            EXPECT_EQ(scene.at(c.receiver.x(), c.receiver.y()), on) << c.direction;
            EXPECT_EQ(scene.at(c.emitter.x(), c.emitter.y()), 52479) << c.direction;
        }
    }
}

// --- TIME and DATE -----------------------------------------------------------------------

TEST(ClockDisplays, ShowTheWindowClocksWallTimeWhateverTheSignals) {
    ShapeScene scene(200, 100);
    scene.window.manualClock.setLocalTime(QDateTime(QDate(2024, 3, 5), QTime(23, 59, 58)));
    scene.window.table[1] = 77;
    auto& time = static_cast<TTimeGraph&>(scene.add("TIME"));
    auto& date = static_cast<TDateGraph&>(scene.add("DATE"));
    EXPECT_EQ(time.displayText(), QStringLiteral("23:59:58"));
    EXPECT_EQ(date.displayText(), QStringLiteral("05.03.2024"));
    scene.window.manualClock.advance(2000);
    EXPECT_EQ(time.displayText(), QStringLiteral("00:00:00"));
    EXPECT_EQ(date.displayText(), QStringLiteral("06.03.2024"));
}

} // namespace
} // namespace ovanto::testing
