#include "elements/core/element_registry.h"
#include "elements/display/basic_shapes.h"
#include "elements/display/drives.h"
#include "elements/display/instruments.h"
#include "elements/display/pictures.h"
#include "elements/display/process_equipment.h"
#include "elements/display/digital_displays.h"
#include "elements/display/plot_button.h"
#include "elements/display/plots.h"
#include "elements/display/separator.h"
#include "elements/display/text_elements.h"
#include "elements/display/message_log.h"
#include "elements/display/value_table.h"
#include "elements/operating/controls.h"
#include "elements/operating/operating.h"

namespace ovanto {

void RegisterAllElements() {
    static const bool done = [] {
        RegisterSeparator();
        RegisterBasicShapes();
        RegisterProcessEquipment();
        RegisterDrives();
        RegisterInstruments();
        RegisterDigitalDisplays();
        RegisterPlots();
        RegisterPlotButton();
        RegisterPictures();
        RegisterPictureSequences();
        RegisterMedia();
        RegisterMetafilePictures();
        RegisterClips();
        RegisterTextElements();
        RegisterMessageLog();
        RegisterValueTable();
        RegisterButtons();
        RegisterKeys();
        RegisterEditControls();
        RegisterChoiceControls();
        RegisterTrackControls();
        return true;
    }();
    (void)done;
}

} // namespace ovanto
