#pragma once
// One process-wide recursive lock around by-name lookups in engine trees.
void lock_schema();
void unlock_schema();

class CSchemaLock {
public:
    CSchemaLock() { lock_schema(); }
    ~CSchemaLock() { unlock_schema(); }
    CSchemaLock(const CSchemaLock&) = delete;
    CSchemaLock& operator=(const CSchemaLock&) = delete;
};
