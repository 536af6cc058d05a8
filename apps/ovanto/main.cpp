// Started by itself, the block library is an editor for animation files.
extern "C" int OvantoStandaloneMain(int argc, char** argv);

int main(int argc, char** argv) { return OvantoStandaloneMain(argc, argv); }
