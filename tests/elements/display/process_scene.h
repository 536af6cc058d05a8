#pragma once

#include "shape_scene.h"

#include "elements/core/record.h"
#include "platform/picture_library.h"

namespace ovanto::testing {

// A plant picture during a run: the clock moves only when told, and the
// library holds only the pictures the program draws itself.
struct ProcessScene : ShapeScene {
    PictureLibrary pictures{QString(), QStringList()};

    explicit ProcessScene(int width = 200, int height = 200) : ShapeScene(width, height) {
        window.running = true;
        window.library = &pictures;
    }
    // One paint after `ms` milliseconds.
    void paintAfter(TGraph& e, std::uint32_t ms) {
        window.manualClock.advance(ms);
        draw(e);
    }
    // The element read back from its record at an older version.
    TGraph& reread(const TGraph& e, int version) {
        RecordVersionScope scope;
        SetRecordVersion(version);
        TGraph* copy = ReadRecord(window, WriteRecord(e));
        EXPECT_NE(copy, nullptr);
        return *copy;
    }
    int painted() const { return image.width() * image.height() - count(kWhite); }
};

} // namespace ovanto::testing
