#pragma once

#include <QImage>

namespace ovanto {

// The frames of the ready-made picture sequences, drawn by the program itself
// and held in the built-in picture store under their numbers (100..442).
// The bottom-left pixel is the colour left out when drawn transparent.
QImage DrawPresetPicture(int id);
// Registers every frame with the picture library; repeated calls do no harm.
void RegisterPresetPictures();

} // namespace ovanto
