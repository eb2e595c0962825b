const char* ModelVersion() { return "1.0"; }
