#pragma once
// Loads the system's font list on a second thread while the main window is
// being built. The first text the program measures or draws waits for that
// list; built in parallel, most of that wait is gone. Qt guards its font
// database with its own lock, so the main thread simply takes the list when
// it first needs a font. The program's caption font joins the list there
// first (core/ui/CaptionFont.h). The loader joins its thread when it goes. The
// thread keeps a heap of its own (the C library's default): sharing the main
// thread's made the two wait on each other at every allocation.

#include <thread>

class FontListLoader {
  public:
    FontListLoader();
    ~FontListLoader();
    FontListLoader(const FontListLoader&) = delete;
    FontListLoader& operator=(const FontListLoader&) = delete;

  private:
    std::thread thread_;
};
