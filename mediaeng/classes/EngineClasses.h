#pragma once
// Registration of each engine class with the platform's class registry; each
// part of the engine adds its classes to the list in EngineClasses.cpp
// (called once by EngineInitialize).
namespace mediaeng {
void RegisterEngineClasses();
void RegisterJobClasses();      // mediaeng/core/JobTree.cpp
void RegisterSourceClasses();   // mediaeng/probe/MediaSource.cpp
void RegisterCodecEnumerators(); // mediaeng/core/CodecEnumerator.cpp
}  // namespace mediaeng
