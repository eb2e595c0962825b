#pragma once
// GTK checks the display's OpenGL support while it opens the display, which
// loads the GL driver (under a software renderer a very large library) before
// the first window. The program draws nothing with OpenGL, so it asks GTK to
// skip that check through GTK's GDK_GL setting; a GDK_GL the user set is kept.
namespace KM {

class CGlProbeSkip {
public:
    // Before the toolkit starts: in the application object's constructor.
    CGlProbeSkip();
    // Once the toolkit runs: the setting leaves the environment again, so
    // programs started from here check OpenGL as usual.
    void Restore();
    ~CGlProbeSkip() { Restore(); }
    CGlProbeSkip(const CGlProbeSkip&) = delete;
    CGlProbeSkip& operator=(const CGlProbeSkip&) = delete;

private:
    bool m_set = false;
};

}  // namespace KM
