#pragma once
// Published properties: every registered class has a table of properties that can be
// listed, found by name (case-insensitive) and read or written at run time, as their own
// kind or as text. The layout stream reads and writes components through these tables,
// and the localisation engine finds captions, hints and string lists through them.
//
// Declaring the properties of a class, in its .cpp file:
//
//   QUILLIMO_REGISTER_CLASS(TButton, [](TPropertyTable& p) {
//     p.String("Caption", &TButton::Caption, &TButton::SetCaption);
//     p.Integer("Width", &TButton::Width, &TButton::SetWidth, 75);  // default 75: not stored when 75
//     p.Bool("Visible", &TButton::Visible, &TButton::SetVisible, true);
//     p.Enum("Align", &TButton::Align, &TButton::SetAlign, alNone);
//     p.Set("Anchors", &TButton::Anchors, &TButton::SetAnchors);
//     p.Object("Font", &TButton::Font, &TButton::SetFont).Stored(&TButton::IsFontStored);
//     p.String("Version", &TButton::Version);                          // no writer: read-only
//     p.Integer("Kind", &TButton::kind_);                              // a field, read and written directly
//     p.Event("OnClick", &TButton::OnClick);                           // a TEvent<...> field
//   });
//
// Accessors are member functions (getter: no argument; setter: one argument, any return
// type) or data members; the value type decides the ordinal size (int = Integer,
// std::uint8_t = Byte, std::uint16_t = Word, ...), the float type, the enumeration, the set
// or the class of the property. A property redeclared by a descendant replaces the
// inherited one in place (e.g. to change its default).
//
// Events are TEvent<Signature> fields. A form registers its handler methods by name:
//
//   p.Method("Button1Click", &TForm1::Button1Click);
//
// and a stored event ("OnClick = Button1Click") is bound to the root's method of that name;
// the event remembers the name, so writing the form stores it again. A handler assigned
// from code (a lambda) has no name and is not stored.
#include <any>
#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/object.h"
#include "toolkit/core/typeinfo.h"
#include "toolkit/core/utf8.h"

// ---------------------------------------------------------------------------------------
// Events

// An event handler as the property system sees it: the object whose published method
// handles the event and the method's name; Code holds the handler itself
// (std::function<Signature>) so that a handler set from code can be copied between events.
struct TMethod {
  TObject* Data = nullptr;
  std::string Name;
  std::any Code;

  bool Assigned() const { return Code.has_value() || !Name.empty(); }
};

template <class Sig>
class TEvent;

// An event field: a handler plus, when it was bound to a published method, the method's
// name and the object it belongs to. Calling an unassigned event does nothing (and returns
// a value-initialised result).
template <class R, class... A>
class TEvent<R(A...)> {
public:
  using Signature = R(A...);
  using Handler = std::function<R(A...)>;

  TEvent() = default;
  TEvent& operator=(Handler handler) {
    handler_ = std::move(handler);
    name_.clear();
    target_ = nullptr;
    return *this;
  }
  TEvent& operator=(std::nullptr_t) {
    Clear();
    return *this;
  }

  void Bind(TObject* target, std::string methodName, Handler handler) {
    handler_ = std::move(handler);
    name_ = std::move(methodName);
    target_ = target;
  }
  void Clear() {
    handler_ = nullptr;
    name_.clear();
    target_ = nullptr;
  }

  bool Assigned() const { return static_cast<bool>(handler_); }
  explicit operator bool() const { return Assigned(); }
  const std::string& MethodName() const { return name_; }
  TObject* Target() const { return target_; }
  const Handler& Function() const { return handler_; }

  R operator()(A... args) const {
    if (!handler_) {
      if constexpr (std::is_void_v<R>)
        return;
      else
        return R{};
    }
    return handler_(std::forward<A>(args)...);
  }

private:
  Handler handler_;
  std::string name_;
  TObject* target_ = nullptr;
};

using TNotifyEvent = TEvent<void(TObject*)>;

// A published method of a class (a form's event handler).
struct TMethodInfo {
  std::string Name;
  const std::type_info* Signature = nullptr;
  // Returns std::function<Signature> calling the method on the given object.
  std::function<std::any(TObject*)> MakeHandler;
};

// ---------------------------------------------------------------------------------------
// Property descriptions

struct TPropInfo {
  std::string Name;
  const TTypeInfo* PropType = nullptr;

  // Accessors; only those of the property's kind are set, and the setter is empty for a
  // read-only property. Ordinal kinds (integer, character, enumeration, set, 64-bit
  // integer) go through GetOrd/SetOrd (a set as its bits), string kinds through
  // GetStr/SetStr as UTF-8.
  std::function<std::int64_t(TObject*)> GetOrd;
  std::function<void(TObject*, std::int64_t)> SetOrd;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<std::string(TObject*)> GetStr;
  std::function<void(TObject*, const std::string&)> SetStr;
  std::function<TObject*(TObject*)> GetObject;
  std::function<void(TObject*, TObject*)> SetObject;
  std::function<TMethod(TObject*)> GetMethod;
  std::function<void(TObject*, const TMethod&)> SetMethod;

  // Storage rules: a property is written when Stored says so and its value differs from
  // the default (ordinal kinds with HasDefault; otherwise ordinals are always written,
  // strings when not empty, floats when not 0, events when bound by name).
  bool StoredFlag = true;
  std::function<bool(TObject*)> StoredFn;
  bool HasDefault = false;
  std::int64_t Default = 0;

  TTypeKind Kind() const { return PropType ? PropType->Kind : tkUnknown; }
  bool IsReadable() const { return GetOrd || GetFloat || GetStr || GetObject || GetMethod; }
  bool IsWritable() const { return SetOrd || SetFloat || SetStr || SetObject || SetMethod; }
};

namespace quillimo_detail {

template <class M>
struct MemberPointer;
template <class C, class M>
struct MemberPointer<M C::*> {
  using Class = C;
  using Type = M;
};
template <class P>
using ClassOf = typename MemberPointer<P>::Class;

// Value type of a getter (member function without argument, or data member).
template <class G>
using GetterValue = std::remove_cvref_t<std::invoke_result_t<G, ClassOf<G>&>>;

template <class S>
struct SetterArg {
  using Type = std::remove_cvref_t<typename MemberPointer<S>::Type>;  // data member
};
template <class C, class R, class A>
struct SetterArg<R (C::*)(A)> {
  using Type = std::remove_cvref_t<A>;
};
template <class C, class R, class A>
struct SetterArg<R (C::*)(A) noexcept> {
  using Type = std::remove_cvref_t<A>;
};

template <class P>
concept Accessor = std::is_member_pointer_v<P>;
template <class S>
concept SetterOrNone = std::is_null_pointer_v<S> || std::is_member_pointer_v<S>;

// Converts between an accessor's own type and the property system's canonical one.
template <class To, class From>
To Convert(const From& v) {
  if constexpr (std::is_same_v<To, From>)
    return v;
  else if constexpr (IsTSet<From>::value)
    return static_cast<To>(v.Bits());
  else if constexpr (IsTSet<To>::value)
    return To::FromBits(static_cast<std::uint64_t>(v));
  else if constexpr (std::is_same_v<To, std::string> && std::is_same_v<From, WideString>)
    return Utf16ToUtf8(v);
  else if constexpr (std::is_same_v<To, WideString> && std::is_same_v<From, std::string>)
    return Utf8ToUtf16(v);
  else if constexpr (std::is_same_v<To, bool>)
    return v != 0;
  else
    return static_cast<To>(v);
}

// Getter as std::function<T(TObject*)>.
template <class T, class G>
std::function<T(TObject*)> MakeGetter(G get) {
  using C = ClassOf<G>;
  return [get](TObject* o) -> T { return Convert<T>(std::invoke(get, *static_cast<C*>(o))); };
}

// Setter as std::function<void(TObject*, T)>; a data member getter without a setter is
// written directly; a member function getter without a setter gives none (read-only).
template <class T, class G, class S>
std::function<void(TObject*, T)> MakeSetter(G get, S set) {
  if constexpr (!std::is_null_pointer_v<S>) {
    using C = ClassOf<S>;
    using V = typename SetterArg<S>::Type;
    if constexpr (std::is_member_object_pointer_v<S>)
      return [set](TObject* o, T v) { static_cast<C*>(o)->*set = Convert<V>(v); };
    else
      return [set](TObject* o, T v) { (static_cast<C*>(o)->*set)(Convert<V>(v)); };
  } else if constexpr (std::is_member_object_pointer_v<G>) {
    return MakeSetter<T>(get, get);
  } else {
    return {};
  }
}

template <class M>
struct MethodTraits;
template <class C, class R, class... A>
struct MethodTraits<R (C::*)(A...)> {
  using Class = C;
  using Signature = R(A...);
  static std::function<R(A...)> Bind(C* self, R (C::*method)(A...)) {
    return [self, method](A... args) -> R { return (self->*method)(std::forward<A>(args)...); };
  }
};

// The handler of the published method `name` of data, checked against Sig; raises
// EPropertyError when there is no such method or its signature differs.
const TMethodInfo& FindPublishedMethod(TObject* data, const std::string& name, const std::type_info& sig);

}  // namespace quillimo_detail

// A property being declared; the chained modifiers set its storage rules.
class TPropDecl {
public:
  explicit TPropDecl(TPropInfo& info) : info_(info) {}

  // The value that is not stored (ordinal kinds: integers, characters, enumerations,
  // Booleans, sets).
  template <class V>
  TPropDecl& Default(const V& value) {
    info_.HasDefault = true;
    info_.Default = quillimo_detail::Convert<std::int64_t>(value);
    return *this;
  }
  TPropDecl& NoDefault() {
    info_.HasDefault = false;
    return *this;
  }
  TPropDecl& Stored(bool stored) {
    info_.StoredFlag = stored;
    info_.StoredFn = nullptr;
    return *this;
  }
  // A member predicate (bool IsFontStored() const) or any bool(TObject*) callable.
  template <class P>
  TPropDecl& Stored(P predicate) {
    info_.StoredFlag = true;
    if constexpr (std::is_member_function_pointer_v<P>) {
      using C = quillimo_detail::ClassOf<P>;
      info_.StoredFn = [predicate](TObject* o) { return (static_cast<C*>(o)->*predicate)(); };
    } else {
      info_.StoredFn = predicate;
    }
    return *this;
  }
  const TPropInfo& Info() const { return info_; }

private:
  TPropInfo& info_;
};

class TPropertyTable {
public:
  explicit TPropertyTable(const TClassInfo& owner) : owner_(owner) {}
  TPropertyTable(const TPropertyTable&) = delete;
  TPropertyTable& operator=(const TPropertyTable&) = delete;

  const TClassInfo& Owner() const { return owner_; }

  // Properties, inherited ones first, in declaration order.
  int Count() const { return static_cast<int>(props_.size()); }
  const TPropInfo& operator[](int index) const { return *props_.at(static_cast<std::size_t>(index)); }
  std::vector<const TPropInfo*> List() const;
  // By name, case-insensitive; nullptr when absent.
  const TPropInfo* Find(std::string_view name) const;

  // Published methods, inherited ones included; by name, case-insensitive.
  const TMethodInfo* FindMethod(std::string_view name) const;
  std::vector<const TMethodInfo*> Methods() const;

  // Declaration. A property of the same name as an existing one replaces it in place.
  TPropDecl Add(TPropInfo info);
  void AddMethod(TMethodInfo info);
  // Copies the parent's properties and methods (done before the class declares its own).
  void InheritFrom(const TPropertyTable& parent);

  // Integers; the accessor's type decides the size: (u)int8 (Byte), (u)int16 (Word), int (Integer), unsigned.
  template <class G, class S = std::nullptr_t>
  requires quillimo_detail::Accessor<G> && quillimo_detail::SetterOrNone<S> TPropDecl
  Integer(std::string name, G get, S set = nullptr, std::optional<std::int64_t> def = std::nullopt) {
    using V = quillimo_detail::GetterValue<G>;
    return WithDefault(Ordinal(std::move(name), IntegerTypeInfoOf<V>(), get, set), def);
  }
  template <class F>
  requires std::is_member_object_pointer_v<F> TPropDecl Integer(std::string name, F field, std::int64_t def) {
    return Integer(std::move(name), field, nullptr, def);
  }

  // 64-bit integers.
  template <class G, class S = std::nullptr_t>
  requires quillimo_detail::Accessor<G> && quillimo_detail::SetterOrNone<S> TPropDecl
  Int64(std::string name, G get, S set = nullptr, std::optional<std::int64_t> def = std::nullopt) {
    return WithDefault(Ordinal(std::move(name), Int64TypeInfo(), get, set), def);
  }

  // Characters: char (8-bit) or char16_t (wide character).
  template <class G, class S = std::nullptr_t>
  requires quillimo_detail::Accessor<G> && quillimo_detail::SetterOrNone<S> TPropDecl
  Char(std::string name, G get, S set = nullptr, std::optional<std::int64_t> def = std::nullopt) {
    using V = quillimo_detail::GetterValue<G>;
    static_assert(std::is_same_v<V, char> || std::is_same_v<V, char16_t>, "Char properties are char or char16_t");
    const TTypeInfo& type = std::is_same_v<V, char> ? CharTypeInfo() : WideCharTypeInfo();
    return WithDefault(Ordinal(std::move(name), type, get, set), def);
  }

  // Booleans (the enumeration False, True).
  template <class G, class S = std::nullptr_t>
  requires quillimo_detail::Accessor<G> && quillimo_detail::SetterOrNone<S> TPropDecl
  Bool(std::string name, G get, S set = nullptr, std::optional<bool> def = std::nullopt) {
    TPropDecl d = Ordinal(std::move(name), BooleanTypeInfo(), get, set);
    if (def) d.Default(*def);
    return d;
  }
  template <class F>
  requires std::is_member_object_pointer_v<F> TPropDecl Bool(std::string name, F field, bool def) {
    return Bool(std::move(name), field, nullptr, def);
  }

  // Enumerations declared with QUILLIMO_ENUM; E defaults to the getter's type.
  template <class E = void, class G, class S = std::nullptr_t>
  requires quillimo_detail::Accessor<G> && quillimo_detail::SetterOrNone<S> TPropDecl Enum(std::string name, G get,
                                                                                           S set = nullptr) {
    using V = std::conditional_t<std::is_void_v<E>, quillimo_detail::GetterValue<G>, E>;
    return Ordinal(std::move(name), EnumTypeInfo<V>(), get, set);
  }
  template <class E = void, class G, class S, class D>
  requires quillimo_detail::Accessor<G> && quillimo_detail::SetterOrNone<S> && std::is_enum_v<D> TPropDecl
  Enum(std::string name, G get, S set, D def) {
    return Enum<E>(std::move(name), get, set).Default(def);
  }

  // Sets (TSet<E>); S defaults to the getter's type.
  template <class T = void, class G, class S = std::nullptr_t>
  requires quillimo_detail::Accessor<G> && quillimo_detail::SetterOrNone<S> TPropDecl Set(std::string name, G get,
                                                                                          S set = nullptr) {
    using V = std::conditional_t<std::is_void_v<T>, quillimo_detail::GetterValue<G>, T>;
    return Ordinal(std::move(name), SetTypeInfoOf<V>(), get, set);
  }
  template <class T = void, class G, class S, class D>
  requires quillimo_detail::Accessor<G> && quillimo_detail::SetterOrNone<S> && IsTSet<D>::value TPropDecl
  Set(std::string name, G get, S set, D def) {
    return Set<T>(std::move(name), get, set).Default(def);
  }

  // Floating point: float (Single) or double (Double).
  template <class G, class S = std::nullptr_t>
  requires quillimo_detail::Accessor<G> && quillimo_detail::SetterOrNone<S> TPropDecl Float(std::string name, G get,
                                                                                            S set = nullptr) {
    using V = quillimo_detail::GetterValue<G>;
    static_assert(std::is_floating_point_v<V>, "Float properties are float or double");
    TPropInfo info;
    info.Name = std::move(name);
    info.PropType = &FloatTypeInfo(std::is_same_v<V, float> ? ftSingle : ftDouble);
    info.GetFloat = quillimo_detail::MakeGetter<double>(get);
    info.SetFloat = quillimo_detail::MakeSetter<double>(get, set);
    return Add(std::move(info));
  }

  // Text (UTF-8 std::string accessors).
  template <class G, class S = std::nullptr_t>
  requires quillimo_detail::Accessor<G> && quillimo_detail::SetterOrNone<S> TPropDecl String(std::string name, G get,
                                                                                             S set = nullptr) {
    return Text(std::move(name), StringTypeInfo(), get, set);
  }
  // Wide text: accessors of std::string (UTF-8) or WideString (UTF-16).
  template <class G, class S = std::nullptr_t>
  requires quillimo_detail::Accessor<G> && quillimo_detail::SetterOrNone<S> TPropDecl WideString(std::string name,
                                                                                                 G get,
                                                                                                 S set = nullptr) {
    return Text(std::move(name), WideStringTypeInfo(), get, set);
  }

  // Objects: the getter returns T* for a class T registered with QUILLIMO_REGISTER_CLASS;
  // the setter takes T* (a persistent sub-object's setter usually Assigns).
  template <class G, class S = std::nullptr_t>
  requires quillimo_detail::Accessor<G> && quillimo_detail::SetterOrNone<S> TPropDecl Object(std::string name, G get,
                                                                                             S set = nullptr) {
    using P = quillimo_detail::GetterValue<G>;
    static_assert(std::is_pointer_v<P>, "Object properties return a pointer");
    using T = std::remove_cv_t<std::remove_pointer_t<P>>;
    TPropInfo info;
    info.Name = std::move(name);
    info.PropType = &ClassTypeInfo(T::StaticClassInfo());
    info.GetObject = quillimo_detail::MakeGetter<TObject*>(get);
    if (auto setter = quillimo_detail::MakeSetter<T*>(get, set)) {
      info.SetObject = [setter, cls = &T::StaticClassInfo()](TObject* o, TObject* value) {
        T* typed = value ? dynamic_cast<T*>(value) : nullptr;
        if (value && !typed) throw EPropertyError(ExceptionText::InvalidPropertyValue);
        setter(o, typed);
      };
    }
    return Add(std::move(info));
  }

  // Events: a TEvent<Signature> field.
  template <class F>
  requires std::is_member_object_pointer_v<F> TPropDecl Event(std::string name, F field) {
    using C = quillimo_detail::ClassOf<F>;
    using Ev = typename quillimo_detail::MemberPointer<F>::Type;
    using Sig = typename Ev::Signature;
    TPropInfo info;
    info.Name = std::move(name);
    info.PropType = &MethodTypeInfo(typeid(Sig));
    info.GetMethod = [field](TObject* o) {
      const Ev& ev = static_cast<C*>(o)->*field;
      TMethod m;
      m.Data = ev.Target();
      m.Name = ev.MethodName();
      if (ev.Assigned()) m.Code = ev.Function();
      return m;
    };
    info.SetMethod = [field](TObject* o, const TMethod& m) {
      Ev& ev = static_cast<C*>(o)->*field;
      if (!m.Name.empty()) {
        const TMethodInfo& method = quillimo_detail::FindPublishedMethod(m.Data, m.Name, typeid(Sig));
        ev.Bind(m.Data, method.Name, std::any_cast<typename Ev::Handler>(method.MakeHandler(m.Data)));
      } else if (m.Code.has_value()) {
        const auto* handler = std::any_cast<typename Ev::Handler>(&m.Code);
        if (!handler) throw EPropertyError(ExceptionText::InvalidPropertyValue);
        ev = *handler;
      } else {
        ev.Clear();
      }
    };
    return Add(std::move(info));
  }

  // A published method (an event handler of a form), found by name when a stored event is read.
  template <class M>
  requires std::is_member_function_pointer_v<M>
  void Method(std::string name, M method) {
    using Traits = quillimo_detail::MethodTraits<M>;
    using C = typename Traits::Class;
    TMethodInfo info;
    info.Name = std::move(name);
    info.Signature = &typeid(typename Traits::Signature);
    info.MakeHandler = [method](TObject* self) -> std::any {
      C* typed = dynamic_cast<C*>(self);
      if (!typed) throw EPropertyError(ExceptionText::InvalidPropertyValue);
      return Traits::Bind(typed, method);
    };
    AddMethod(std::move(info));
  }

private:
  template <class G, class S>
  TPropDecl Ordinal(std::string name, const TTypeInfo& type, G get, S set) {
    TPropInfo info;
    info.Name = std::move(name);
    info.PropType = &type;
    info.GetOrd = quillimo_detail::MakeGetter<std::int64_t>(get);
    info.SetOrd = quillimo_detail::MakeSetter<std::int64_t>(get, set);
    return Add(std::move(info));
  }
  template <class G, class S>
  TPropDecl Text(std::string name, const TTypeInfo& type, G get, S set) {
    TPropInfo info;
    info.Name = std::move(name);
    info.PropType = &type;
    info.GetStr = quillimo_detail::MakeGetter<std::string>(get);
    if (auto setter = quillimo_detail::MakeSetter<std::string>(get, set))
      info.SetStr = [setter](TObject* o, const std::string& v) { setter(o, v); };
    return Add(std::move(info));
  }
  static TPropDecl WithDefault(TPropDecl d, std::optional<std::int64_t> def) {
    if (def) d.Default(*def);
    return d;
  }

  const TClassInfo& owner_;
  std::vector<std::shared_ptr<TPropInfo>> props_;
  std::vector<std::shared_ptr<const TMethodInfo>> methods_;
};

// Defines Self::StaticClassInfo() (parent: Self::inherited), registers the class under its
// name and declares its published properties with the given callable (TPropertyTable&).
// Concrete TComponent descendants constructible from (TComponent* owner) get a factory, so
// the layout reader can create them by name; collection items constructible from
// (TCollection*) get one that collections use. Use it once, in the class's .cpp file, at the
// namespace scope of the class (unqualified class name).
#define QUILLIMO_REGISTER_CLASS(Self, ...)                                                 \
  const TClassInfo& Self::StaticClassInfo() {                                              \
    static const TClassInfo info(                                                          \
        #Self, &Self::inherited::StaticClassInfo(),                                        \
        [](TPropertyTable& p) { quillimo_detail::Declare(p __VA_OPT__(, ) __VA_ARGS__); }, \
        quillimo_detail::FactoryFor<Self>(), quillimo_detail::ItemFactoryFor<Self>());     \
    return info;                                                                           \
  }                                                                                        \
  QUILLIMO_LINK_CLASS(Self)

class TCollectionItem;

namespace quillimo_detail {
inline void Declare(TPropertyTable&) {}
template <class F>
void Declare(TPropertyTable& p, F&& declare) {
  declare(p);
}

template <class Self>
TClassInfo::CreateFn FactoryFor() {
  if constexpr (requires(TComponent * owner) {
                  { new Self(owner) } -> std::convertible_to<TComponent*>;
                }) {
    return [](TComponent* owner) -> TObject* { return new Self(owner); };
  } else {
    return nullptr;
  }
}

template <class Self>
TClassInfo::CreateItemFn ItemFactoryFor() {
  if constexpr (requires(TCollection * collection) {
                  { new Self(collection) } -> std::convertible_to<TCollectionItem*>;
                }) {
    return [](TCollection* collection) -> TObject* { return new Self(collection); };
  } else {
    return nullptr;
  }
}
}  // namespace quillimo_detail

// ---------------------------------------------------------------------------------------
// Run-time access in the classic style. Functions taking a name raise EPropertyError
// "Property %s does not exist" when the object has no such published property; a kind the
// function does not handle raises EPropertyError "Invalid property type: <type>"; writing
// a read-only property raises EPropertyError "Property <name> is read-only".

std::vector<const TPropInfo*> GetPropList(const TObject* obj);
std::vector<const TPropInfo*> GetPropList(const TClassInfo& cls);
// nullptr when absent (case-insensitive name).
const TPropInfo* GetPropInfo(const TObject* obj, std::string_view name);
const TPropInfo* GetPropInfo(const TClassInfo& cls, std::string_view name);
bool IsPublishedProp(const TObject* obj, std::string_view name);
bool PropIsType(const TObject* obj, std::string_view name, TTypeKind kind);
TTypeKind PropType(const TObject* obj, std::string_view name);

// String kinds are tkString, tkLString and tkWString.
bool IsStringKind(TTypeKind kind);
// Ordinal kinds: tkInteger, tkChar, tkWChar, tkEnumeration, tkSet, tkInt64.
bool IsOrdinalKind(TTypeKind kind);

// Whether the writer stores the property: its Stored rule holds and the value is not the
// default (see TPropInfo).
bool IsStoredProp(TObject* obj, const TPropInfo& prop);
bool IsDefaultPropValue(TObject* obj, const TPropInfo& prop);

std::int64_t GetOrdProp(TObject* obj, const TPropInfo& prop);
std::int64_t GetOrdProp(TObject* obj, std::string_view name);
// Raises EPropertyError "Invalid property value" outside the type's range.
void SetOrdProp(TObject* obj, const TPropInfo& prop, std::int64_t value);
void SetOrdProp(TObject* obj, std::string_view name, std::int64_t value);

std::string GetEnumProp(TObject* obj, const TPropInfo& prop);
std::string GetEnumProp(TObject* obj, std::string_view name);
// By value name (case-insensitive); an unknown name raises EPropertyError
// "Invalid property element: <name>".
void SetEnumProp(TObject* obj, const TPropInfo& prop, std::string_view value);
void SetEnumProp(TObject* obj, std::string_view name, std::string_view value);

std::string GetSetProp(TObject* obj, const TPropInfo& prop, bool brackets = true);
std::string GetSetProp(TObject* obj, std::string_view name, bool brackets = true);
void SetSetProp(TObject* obj, const TPropInfo& prop, std::string_view value);
void SetSetProp(TObject* obj, std::string_view name, std::string_view value);

double GetFloatProp(TObject* obj, const TPropInfo& prop);
double GetFloatProp(TObject* obj, std::string_view name);
void SetFloatProp(TObject* obj, const TPropInfo& prop, double value);
void SetFloatProp(TObject* obj, std::string_view name, double value);

std::int64_t GetInt64Prop(TObject* obj, const TPropInfo& prop);
std::int64_t GetInt64Prop(TObject* obj, std::string_view name);
void SetInt64Prop(TObject* obj, const TPropInfo& prop, std::int64_t value);
void SetInt64Prop(TObject* obj, std::string_view name, std::int64_t value);

// String kinds, as UTF-8.
std::string GetStrProp(TObject* obj, const TPropInfo& prop);
std::string GetStrProp(TObject* obj, std::string_view name);
void SetStrProp(TObject* obj, const TPropInfo& prop, const std::string& value);
void SetStrProp(TObject* obj, std::string_view name, const std::string& value);

// String kinds, as UTF-16.
WideString GetWideStrProp(TObject* obj, const TPropInfo& prop);
WideString GetWideStrProp(TObject* obj, std::string_view name);
void SetWideStrProp(TObject* obj, const TPropInfo& prop, const WideString& value);
void SetWideStrProp(TObject* obj, std::string_view name, const WideString& value);

TObject* GetObjectProp(TObject* obj, const TPropInfo& prop);
TObject* GetObjectProp(TObject* obj, std::string_view name);
// The object must be of the property's declared class (or nullptr), else EPropertyError
// "Invalid property value".
void SetObjectProp(TObject* obj, const TPropInfo& prop, TObject* value);
void SetObjectProp(TObject* obj, std::string_view name, TObject* value);
// The declared class of an object property.
const TClassInfo* GetObjectPropClass(const TPropInfo& prop);

TMethod GetMethodProp(TObject* obj, const TPropInfo& prop);
TMethod GetMethodProp(TObject* obj, std::string_view name);
// A named method is looked up among the published methods of method.Data (EPropertyError
// when it is missing or its signature differs); an unnamed one takes method.Code; an empty
// TMethod clears the event.
void SetMethodProp(TObject* obj, const TPropInfo& prop, const TMethod& method);
void SetMethodProp(TObject* obj, std::string_view name, const TMethod& method);

// Any kind as text: integers in decimal, characters as themselves, enumerations by name,
// sets as "[a,b]", floats in the shortest form that reads back exactly ("." as decimal
// point), strings as they are, string lists (TStrings objects) as their comma text, other
// objects as the component's name (empty for none or a non-component), events as the
// method's name.
std::string GetPropValue(TObject* obj, const TPropInfo& prop);
std::string GetPropValue(TObject* obj, std::string_view name);
// The reverse; a text that does not fit the kind raises EConvertError or EPropertyError.
// A string list property takes comma text into its list; another object property the name
// of a component owned by obj's owner (or by obj when it has none), empty for nullptr; an
// event the name of a published method of that root.
void SetPropValue(TObject* obj, const TPropInfo& prop, std::string_view value);
void SetPropValue(TObject* obj, std::string_view name, std::string_view value);

// Text of doubles as GetPropValue writes and reads them.
std::string FloatToText(double value);
// Raises EConvertError "'<text>' is not a valid floating point value" when text is not a number.
double TextToFloat(std::string_view text);
