// Variants: construction, queries, the conversion table and references.
#include <functional>
#include <string>

#include "array_test_support.h"
#include "values/variant.h"

namespace {

class Variants : public LeakChecked {};

using W = RaiseCatcher;

TEST_F(Variants, VariantsAreFortyByteObjectsOfTheirClass) {
    RuntimeVariant* v = intToVariant(7);
    EXPECT_EQ(v->header.cls, builtin_class(BuiltinClass::Variant));
    EXPECT_EQ(builtin_class(BuiltinClass::Variant)->instance_size, 40u);
    EXPECT_EQ(v->header.refs, 1);
    RuntimeUnlockObject(&v->header);
}

TEST_F(Variants, QueriesTellTheTypeAndTakeNil) {
    RuntimeObject* object = new_object();
    RuntimeString* s = string_from_cstr("x");
    struct Case {
        RuntimeVariant* v;
        std::int32_t type, numeric, null;
    } cases[] = {
        {nullptr, 0, 0, 0},
        {getNilVariant(), 1, 0, 1},
        {intToVariant(-4), 2, 1, 0},
        {doubleToVariant(0.5), 5, 1, 0},
        {stringToVariant(s), 8, 0, 0},
        {booleanToVariant(1), 11, 0, 0},
        {objectToVariant(object), 13, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VarType(c.v), c.type);
        EXPECT_EQ(IsNumeric(c.v), c.numeric) << c.type;
        EXPECT_EQ(IsNull(c.v), c.null) << c.type;
        if (c.v) RuntimeUnlockObject(&c.v->header);
    }
    RuntimeUnlockString(s);
    RuntimeUnlockObject(object);
}

// One row per Variant; "!" marks a conversion that raises typeMismatchException.
struct ConversionRow {
    const char* what;
    std::function<RuntimeVariant*()> make;
    const char* as_int;
    const char* as_double;
    const char* as_boolean;
    const char* as_string;
};

std::string text_of(RuntimeString* s) {
    std::string t(string_cstr(s), string_length(s));
    RuntimeUnlockString(s);
    return t;
}

RuntimeVariant* string_variant(const char* text) {
    RuntimeString* s = string_from_cstr(text);
    RuntimeVariant* v = stringToVariant(s);
    RuntimeUnlockString(s);
    return v;
}

TEST_F(Variants, ConversionsFollowTheTableAndRaiseTypeMismatchOutsideIt) {
    RuntimeObject* object = new_object();
    const ConversionRow rows[] = {
        {"Integer 7", [] { return intToVariant(7); }, "7", "7", "1", "7"},
        {"Integer -12", [] { return intToVariant(-12); }, "-12", "-12", "1", "-12"},
        {"Integer 0", [] { return intToVariant(0); }, "0", "0", "0", "0"},
        {"Double -2.5", [] { return doubleToVariant(-2.5); }, "-2", "-2.5", "1", "-2.5"},
        {"Double 2.999", [] { return doubleToVariant(2.999); }, "2", "2.999", "1", "2.999"},
        {"Double 0", [] { return doubleToVariant(0.0); }, "0", "0", "0", "0"},
        {"String 3.9", [] { return string_variant("3.9"); }, "3", "3.9", "0", "3.9"},
        {"String -3.9", [] { return string_variant("-3.9"); }, "-3", "-3.9", "0", "-3.9"},
        {"String TRUE", [] { return string_variant("TRUE"); }, "0", "0", "1", "TRUE"},
        {"String True", [] { return string_variant("True"); }, "0", "0", "1", "True"},
        {"String 1", [] { return string_variant("1"); }, "1", "1", "1", "1"},
        {"String yes", [] { return string_variant("yes"); }, "0", "0", "0", "yes"},
        {"String 0", [] { return string_variant("0"); }, "0", "0", "0", "0"},
        {"String nothing", [] { return string_variant(""); }, "0", "0", "0", ""},
        {"String blank true", [] { return string_variant(" true"); }, "0", "0", "0", " true"},
        {"String &hFF", [] { return string_variant("&hFF"); }, "255", "255", "0", "&hFF"},
        {"Boolean true", [] { return booleanToVariant(1); }, "1", "1", "1", "True"},
        {"Boolean 5", [] { return booleanToVariant(5); }, "1", "1", "1", "True"},
        {"Boolean false", [] { return booleanToVariant(0); }, "0", "0", "0", "False"},
        {"Null", [] { return getNilVariant(); }, "!", "!", "!", "!"},
        {"Object", [object] { return objectToVariant(object); }, "!", "!", "!", "!"},
        {"nil", [] { return static_cast<RuntimeVariant*>(nullptr); }, "!", "!", "!", "!"},
    };
    for (const ConversionRow& row : rows) {
        RuntimeVariant* v = row.make();
        const std::uint32_t arg = W::word(v);
        W::Outcome to_int = catcher.call(reinterpret_cast<void*>(&variantToInt), {arg});
        W::Outcome to_double = catcher.call(reinterpret_cast<void*>(&variantToDouble), {arg}, true);
        W::Outcome to_boolean = catcher.call(reinterpret_cast<void*>(&variantToBoolean), {arg});
        W::Outcome to_string = catcher.call(reinterpret_cast<void*>(&variantToString), {arg});
        const bool raises = row.as_int[0] == '!';
        RuntimeClass* expected = raises ? type_mismatch() : nullptr;
        EXPECT_EQ(to_int.raised, expected) << row.what;
        EXPECT_EQ(to_double.raised, expected) << row.what;
        EXPECT_EQ(to_boolean.raised, expected) << row.what;
        EXPECT_EQ(to_string.raised, expected) << row.what;
        if (!raises) {
            EXPECT_EQ(std::to_string(static_cast<std::int32_t>(to_int.eax)), row.as_int) << row.what;
            EXPECT_EQ(variantToDouble(v), std::stod(row.as_double)) << row.what;
            EXPECT_EQ(std::to_string(to_boolean.eax & 0xFF), row.as_boolean) << row.what;
            EXPECT_EQ(text_of(reinterpret_cast<RuntimeString*>(to_string.eax)), row.as_string) << row.what;
        }
        W::Outcome to_object = catcher.call(reinterpret_cast<void*>(&variantToObject), {arg});
        EXPECT_EQ(to_object.raised, VarType(v) == kVariantObject ? nullptr : type_mismatch()) << row.what;
        if (!to_object.raised) {
            EXPECT_EQ(to_object.eax, W::word(object));
            RuntimeUnlockObject(object);
        }
        if (v) RuntimeUnlockObject(&v->header);
    }
    EXPECT_EQ(object->refs, 1);
    RuntimeUnlockObject(object);
}

TEST_F(Variants, VariantsHoldOneReferenceToTheirStringOrObject) {
    RuntimeObject* object = new_object();
    RuntimeString* s = string_from_cstr("held");
    RuntimeVariant* of_object = objectToVariant(object);
    RuntimeVariant* of_string = stringToVariant(s);
    EXPECT_EQ(object->refs, 2);
    EXPECT_EQ(s->refs, 2);
    RuntimeObject* out = variantToObject(of_object);
    EXPECT_EQ(out, object);
    EXPECT_EQ(object->refs, 3);
    RuntimeUnlockObject(out);
    RuntimeString* text = variantToString(of_string);
    EXPECT_EQ(text, s);
    EXPECT_EQ(s->refs, 3);
    RuntimeUnlockString(text);
    RuntimeUnlockObject(&of_object->header);  // the destructor releases the object
    RuntimeUnlockObject(&of_string->header);
    EXPECT_EQ(object->refs, 1);
    EXPECT_EQ(s->refs, 1);
    RuntimeUnlockString(s);
    RuntimeUnlockObject(object);
}

}  // namespace
