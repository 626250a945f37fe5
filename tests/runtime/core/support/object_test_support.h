// Shared pieces of the object model tests: classes made on the fly and a
// recorder that takes the failure reports instead of the dialog.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "objects/classes.h"
#include "exceptions/failure_report.h"
#include "strings/runtime_string.h"

struct ReportedFailure {
    int class_number;
    int code;
    std::string source;
    int line;
    bool operator==(const ReportedFailure& other) const {
        return class_number == other.class_number && code == other.code && source == other.source &&
               line == other.line;
    }
};

class FailureReports : public ::testing::Test {
protected:
    void SetUp() override {
        reported().clear();
        previous_ = failure_report_redirect(&record);
    }
    void TearDown() override { failure_report_redirect(previous_); }

    static std::vector<ReportedFailure>& reported() {
        static std::vector<ReportedFailure> list;
        return list;
    }

private:
    static void record(int class_number, std::int16_t code, const char* source, int line) {
        reported().push_back({class_number, code, source ? source : "", line});
    }
    FailureReportSink previous_ = nullptr;
};

inline RuntimeString* text(const char* s) { return string_from_cstr(s); }

inline RuntimeClass* make_class(const char* name, RuntimeClass* superclass = nullptr, std::uint32_t size = 24) {
    RuntimeClass* cls = class_new(text(name));
    cls->superclass = superclass;
    cls->instance_size = size;
    return cls;
}
