// The syntax tree of a program: what the parser builds and the checker
// annotates. Expressions carry their checked type and what their names
// resolved to, so the code generator needs no symbol tables of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "diagnostics.h"

namespace tavoc {


struct ClassInfo;
struct Function;
struct Expr;
struct Stmt;
using ExprPtr = std::unique_ptr<Expr>;
using StmtPtr = std::unique_ptr<Stmt>;

// ---- Types ----------------------------------------------------------------

enum class TypeKind { Void, Integer, Single, Double, Boolean, String, Color, Object, Nil };

struct Type {
    TypeKind kind = TypeKind::Void;
    ClassInfo* cls = nullptr;  // Object: the static class (Variant is a class too)
    bool array = false;        // a runtime array of elements of kind and cls
    int dims = 1;              // an array's number of dimensions

    bool is_ref() const { return !array && (kind == TypeKind::String || kind == TypeKind::Object); }
    bool is_float() const { return !array && (kind == TypeKind::Single || kind == TypeKind::Double); }
    bool is_int() const { return !array && (kind == TypeKind::Integer || kind == TypeKind::Color); }
    int size() const { return array ? 4 : kind == TypeKind::Double ? 8 : kind == TypeKind::Void ? 0 : 4; }
    Type element() const {
        Type t = *this;
        t.array = false;
        return t;
    }
};

struct TypeRef {  // a type as written in the source or prelude
    std::string name;
    Pos pos;
    bool array = false;  // name() As Type: an array parameter
    int dims = 1;        // name(,) As Type: two dimensions
};

struct Param {
    std::string name;
    TypeRef type_name;
    Type type;
    Pos pos;
};

// ---- Storage ----------------------------------------------------------------

struct Local {
    std::string name;
    Type type;
    int offset = 0;           // from EBP: positive for parameters
    bool is_param = false;
    bool assigned = false;    // a parameter the body assigns: it gets an owned copy
    Local* copy = nullptr;    // that copy
    Local* owner = nullptr;   // an array local's owner object, which disposes the array when released
};

struct Global {  // module property or implicit-instance slot, in the data block
    std::string name;
    TypeRef type_name;
    Type type;
    Pos pos;
    std::uint32_t data_offset = 0;
};

struct Field {  // instance field of an application class
    std::string name;
    TypeRef type_name;
    Type type;
    Pos pos;
    int offset = 0;
};

// ---- Routines: everything that can be called or read as a property ----------

// One argument of an entry point's argument pattern.
struct BindArg {
    enum Kind { Me, Param, Value, Constant } kind = Constant;
    int index = 0;               // Param: index into the routine's params
    std::int32_t constant = 0;   // Constant
};

struct Binding {
    std::string entry;           // runtime entry point or import name
    std::vector<BindArg> args;   // in source order; pushed right to left
};

enum class RoutineKind { Runtime, Library, Plugin, Application, Interface };

struct Routine {
    std::string name;
    Pos pos;
    RoutineKind kind = RoutineKind::Runtime;
    std::vector<Param> params;
    TypeRef result_name;
    Type result;
    bool has_me = false;           // a method or property of a class
    bool borrowed_result = false;  // the entry point adds no reference to what it returns
    Binding binding;               // Runtime/Library/Plugin: the call; property: the getter
    bool is_property = false;
    bool has_getter = false;
    bool has_setter = false;
    Binding setter;
    Function* function = nullptr;  // Application
    int interface_number = 0;      // Interface: the method's number, from 1
    ClassInfo* owner = nullptr;
};

// ---- Classes ----------------------------------------------------------------

struct EventDef {
    std::string name;
    std::vector<Param> params;
    TypeRef result_name;
    Type result;
    std::int32_t number = 0;  // the event number of the runtime's event table; the handler's event key
};

struct DesignProp {  // a description pair of a control class, in its order
    std::string name;
    std::string default_text;
};

struct WindowDecl;
struct ControlDecl;

struct ConstDecl {  // Const NAME = literal
    std::string name;
    Pos pos;
    ExprPtr value;
};

struct ClassInfo {
    std::string name;          // empty for the unnamed subclass of a control
    std::string label;         // window.control for such a subclass: its name in the map
    Pos pos;
    bool builtin = false;      // provided by the runtime or a plugin (kind 1 record)
    int instance_size = 24;
    std::string super_name;
    ClassInfo* super = nullptr;
    std::vector<EventDef> events;
    std::vector<std::unique_ptr<Routine>> members;  // properties and methods
    std::vector<DesignProp> design;

    // Application classes.
    std::vector<std::unique_ptr<Field>> fields;
    std::vector<Function*> methods;
    std::vector<Function*> handlers;
    std::vector<Function*> menu_handlers;
    Function* constructor = nullptr;
    Function* destructor = nullptr;   // generated: user body, then field releases
    std::vector<Function*> vtable;
    WindowDecl* window = nullptr;     // a window class
    ControlDecl* control = nullptr;   // the unnamed subclass of a control
    bool is_module = false;
    std::vector<Global*> globals;     // a module's properties
    std::vector<ConstDecl> constants;
    bool is_interface = false;
    std::vector<TypeRef> interface_names;  // Implements ...
    std::vector<ClassInfo*> interfaces;

    int class_index = -1;             // in the image's class table, once used
};

// ---- Functions of the application -------------------------------------------

enum class FunctionKind { Sub, Function, Event, MenuHandler, Constructor, Destructor, InstanceGetter };

enum class ExprKind {
    Integer, Real, String, Boolean, Nil, Me,
    Super,    // Me, seen as its superclass: its methods are called directly
    Name,     // a bare name, resolved by the checker
    Member,   // object.name
    Call,     // callee(args); callee is a Name or Member
    Unary,    // op operand
    Binary,   // lhs op rhs
    New,      // New ClassName
    IsA,      // operand IsA ClassName
    Convert,  // inserted by the checker: operand converted to `type`
};

enum class Op { Add, Sub, Mul, Div, IntDiv, Mod, Concat, Eq, Ne, Lt, Le, Gt, Ge, And, Or, Not, Neg };

// What a Name, Member or Call denotes once checked.
enum class Ref {
    None,
    Local,          // local variable or parameter: `local`
    Global,         // module property: `global`
    Field,          // instance field of `object` (or Me): `field`
    BuiltinProperty,// prelude property through getter/setter: `routine` on `object`
    Routine,        // call of a prelude routine, declaration or application method
    Window,         // implicit instance of `window`
    Control,        // control of a window: `object` is the window, `text` the control name
    Cast,           // ClassName(expr)
    Element,        // receiver(args[0]): an element of an array
    ArrayOp,        // receiver.text(args): Append, Insert, Remove, Sort or UBound of an array
};

struct Expr {
    ExprKind kind;
    Pos pos;
    std::string text;        // name, string literal
    std::int64_t int_value = 0;
    double real_value = 0;
    Op op = Op::Add;
    ExprPtr object;          // Member receiver, Unary/Convert operand, Call callee, IsA operand
    ExprPtr rhs;             // Binary right side
    std::vector<ExprPtr> args;

    // Filled by the checker.
    Type type;
    Ref ref = Ref::None;
    Local* local = nullptr;
    Global* global = nullptr;
    Field* field = nullptr;
    Routine* routine = nullptr;   // builtin property or callee
    ClassInfo* cls = nullptr;     // New, IsA, Cast, Window, Control class
    ExprPtr receiver;             // object a field, property or method applies to (null: Me or none)
    std::vector<Local*> keep;     // library calls: where an owned String argument lives during the call
    bool control_array = false;   // Control: a member of a control array, chosen by args[0]
    bool direct = false;          // a method called through Super: no virtual dispatch

    Expr(ExprKind k, Pos p) : kind(k), pos(p) {}
};

enum class StmtKind { Dim, Const, Assign, Call, If, Select, For, While, Do, Exit, Return, Raise };
enum class ExitWhat { Sub, Function, For, While, Do };

struct Stmt {
    StmtKind kind;
    Pos pos;
    ExprPtr target;                    // Assign target, For variable
    ExprPtr value;                     // Assign/Dim init/Return/Raise/If cond/For start/While cond/Call
    ExprPtr limit, step;               // For
    std::vector<ExprPtr> conditions;   // If and Select: one per branch (ElseIf or Case included)
    std::vector<std::vector<StmtPtr>> branches;  // If: then, elseifs, else (branches.size() may be conditions+1)
    std::vector<StmtPtr> body;         // loops
    bool test_at_end = false;          // Do ... Loop While/Until
    bool until = false;                // Do Until / Loop Until
    ExitWhat exit_what = ExitWhat::Sub;
    std::string name;                  // Dim name; Select: the hidden variable holding the selector
    TypeRef type_name;                 // Dim type
    std::vector<ExprPtr> bounds;       // Dim of an array: the upper bound of each dimension
    Local* local = nullptr;            // Dim, For hidden locals
    Local* limit_local = nullptr;
    Local* step_local = nullptr;

    Stmt(StmtKind k, Pos p) : kind(k), pos(p) {}
};

struct CatchClause {
    Pos pos;
    std::string var;
    TypeRef class_name;
    std::vector<StmtPtr> body;
    ClassInfo* cls = nullptr;
    Local* local = nullptr;
};

struct Function {
    std::string name;
    Pos pos;
    FunctionKind kind = FunctionKind::Sub;
    ClassInfo* owner = nullptr;        // class, window, control subclass or module
    std::vector<Param> params;
    TypeRef result_name;
    Type result;
    std::vector<StmtPtr> body;
    std::vector<CatchClause> catches;
    Routine* routine = nullptr;         // how callers see it

    // Filled by the checker.
    std::vector<std::unique_ptr<Local>> locals;  // parameters first
    Local* me = nullptr;
    Local* result_local = nullptr;
    Local* exception_local = nullptr;   // EBP-4 when there are catch clauses
    int frame_size = 0;
    int vtable_slot = -1;
    bool polymorphic = false;           // its vtable slot holds other code in a subclass
    WindowDecl* window = nullptr;       // InstanceGetter
    std::string symbol;                 // name in the map file
};

// ---- Declarations of the project ----------------------------------------------

struct PropertyValue {  // Name = literal, in a window or control
    std::string name;
    Pos pos;
    ExprPtr value;
    std::string text;   // the value as description text
};

struct ControlDecl {
    std::string name;
    Pos pos;
    TypeRef class_name;
    bool has_index = false;
    std::int32_t index = 0;
    std::vector<PropertyValue> properties;
    ClassInfo* base = nullptr;   // the control's class
    ClassInfo* cls = nullptr;    // base, or its unnamed subclass when it has handlers
    WindowDecl* window = nullptr;
};

struct BindingDecl {  // Binding Source "interface" [Part "p"] To Target "interface" [Part "p"] Using Binder
    Pos pos;
    std::string source, source_interface, source_part;
    std::string target, target_interface, target_part;
    TypeRef binder_name;
    Pos source_pos, target_pos;
    int source_position = 0;  // the controls' places in the window, from 0
    int target_position = 0;
    ClassInfo* binder = nullptr;
};

struct WindowDecl {
    std::string name;
    Pos pos;
    std::vector<PropertyValue> properties;
    std::vector<std::unique_ptr<ControlDecl>> controls;
    std::vector<BindingDecl> bindings;
    ClassInfo* cls = nullptr;
    Global* instance = nullptr;      // the implicit-instance variable
    Function* getter = nullptr;      // creates the window on first use
    std::uint32_t description_offset = 0;
};

struct MenuItemDecl {
    Pos pos;
    std::string text;
    std::string name;
    std::string key;
    bool has_index = false;
    std::int32_t index = 0;
    TypeRef class_name;
    ClassInfo* cls = nullptr;
    std::vector<MenuItemDecl> items;  // a submenu
};

struct MenuDecl {
    Pos pos;
    std::string title;
    std::string name;
    std::vector<MenuItemDecl> items;
};

struct FileTypeDecl {
    std::string name, creator, type, extensions;
};

struct ProjectDecl {
    Pos pos;
    bool present = false;
    std::string title;
    std::string default_window;
    Pos default_window_pos;
    bool mdi = false;
    std::uint32_t script_code = 0;  // 0 and 1 both mean the default character set
    std::vector<FileTypeDecl> file_types;
    std::vector<std::string> messages;
};

struct AutoObject {  // Auto Dim: created by the runtime at start-up
    Global* global = nullptr;
    ClassInfo* cls = nullptr;
};

struct Program {
    std::vector<std::unique_ptr<ClassInfo>> classes;        // prelude first, then the application's
    std::vector<std::unique_ptr<Routine>> globals;          // prelude functions and declarations
    std::vector<std::unique_ptr<Function>> functions;
    std::vector<std::unique_ptr<Global>> global_vars;
    std::vector<std::unique_ptr<WindowDecl>> windows;
    std::vector<ClassInfo*> modules;
    std::vector<MenuDecl> menus;
    bool has_menu_bar = false;
    ProjectDecl project;
    std::vector<AutoObject> auto_objects;
    std::size_t prelude_class_count = 0;

    ClassInfo* find_class(const std::string& name) const;
    Routine* find_global(const std::string& name) const;
    WindowDecl* find_window(const std::string& name) const;
};

}  // namespace tavoc
