#pragma once
// The conversion job's settings tree: every node name, setting name, kind,
// default and unit lives in one table here (filled by mediaeng/core/JobTree.cpp).
