#pragma once

// Each qevtool command takes the arguments after its name and returns the exit code.
int runEvalCommand(int argc, char** argv);
int runFormatCommand(int argc, char** argv);
int runRenderCommand(int argc, char** argv);
int runGalleryCommand(int argc, char** argv);
int runSimulateCommand(int argc, char** argv);
int runAxisCommand(int argc, char** argv);
int runLibraryCommand(int argc, char** argv);
int runPaletteIconsCommand(int argc, char** argv);
