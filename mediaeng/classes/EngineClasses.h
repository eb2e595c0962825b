#pragma once
// Registration of each engine class with the platform's class registry; each
// part of the engine adds its classes to the list in EngineClasses.cpp
// (called once by EngineInitialize).
namespace mediaeng {
void RegisterEngineClasses();
void RegisterJobClasses();
}  // namespace mediaeng
