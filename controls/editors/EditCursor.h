#pragma once
// The mouse cursors the visual editors choose; the windows map them to the
// toolkit's stock cursors.

enum class EEditCursor { Arrow, SizeNWSE, SizeNESW, SizeNS, SizeWE, SizeAll, Hand };
