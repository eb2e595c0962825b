// The engine library's version text, for the log.
const char* MediaEngineVersion() { return "1.0"; }
