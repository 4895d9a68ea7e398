#include "running/railjson.h"

#include <nlohmann/json.hpp>

namespace tarvosa::running {
namespace {

using Json = nlohmann::json;

std::string Joined(const std::string& path, const std::string& key) {
  return path.empty() ? key : path + "." + key;
}

// Reads members and keeps the first that is not as the format has it; a
// member read after that gives a neutral value, never looked at.
class Reader {
 public:
  const std::string& fault() const { return fault_; }

  void Fail(std::string message) {
    if (fault_.empty()) fault_ = std::move(message);
  }

  const Json& Member(const Json& object, const std::string& path, const std::string& key) {
    static const Json kNothing;
    if (!object.is_object()) {
      Fail((path.empty() ? "the file" : path) + " must be an object, found " + object.type_name());
      return kNothing;
    }
    const auto it = object.find(key);
    if (it != object.end()) return *it;
    Fail("the member " + Joined(path, key) + " is missing");
    return kNothing;
  }

  double Number(const Json& object, const std::string& path, const std::string& key) {
    const Json& value = Member(object, path, key);
    if (value.is_number()) return value.get<double>();
    if (!value.is_null()) Fail(Joined(path, key) + " must be a number, found " + value.type_name());
    return 0.0;
  }

  std::string Text(const Json& object, const std::string& path, const std::string& key) {
    const Json& value = Member(object, path, key);
    if (value.is_string()) return value.get<std::string>();
    if (!value.is_null()) Fail(Joined(path, key) + " must be a text, found " + value.type_name());
    return "";
  }

  std::vector<double> Numbers(const Json& object, const std::string& path, const std::string& key) {
    const Json& value = Member(object, path, key);
    std::vector<double> numbers;
    if (!value.is_array()) {
      if (!value.is_null()) Fail(Joined(path, key) + " must be a list, found " + value.type_name());
      return numbers;
    }
    for (const Json& item : value) {
      if (!item.is_number()) {
        Fail(Joined(path, key) + " must hold numbers only, found " + item.type_name());
        return numbers;
      }
      numbers.push_back(item.get<double>());
    }
    return numbers;
  }

 private:
  std::string fault_;
};

// The braking deceleration: const_gamma (3.3), or gamma of type CONST (3.2).
double Braking(Reader& reader, const Json& file) {
  if (file.contains("const_gamma")) return reader.Number(file, "", "const_gamma");
  const Json& gamma = reader.Member(file, "", "gamma");
  const std::string type = reader.Text(gamma, "gamma", "type");
  if (reader.fault().empty() && type != "CONST") {
    reader.Fail("gamma.type must be CONST, found " + type);
  }
  return reader.Number(gamma, "gamma", "value");
}

void ReadCurve(Reader& reader, const Json& file, RollingStock& stock) {
  const Json& curves = reader.Member(file, "", "effort_curves");
  const std::string mode = reader.Text(curves, "effort_curves", "default_mode");
  const Json& modes = reader.Member(curves, "effort_curves", "modes");
  if (!reader.fault().empty()) return;
  const std::string path = "effort_curves.modes." + mode;
  const Json& curve =
      reader.Member(reader.Member(modes, "effort_curves.modes", mode), path, "default_curve");
  stock.curve_speeds = reader.Numbers(curve, path + ".default_curve", "speeds");
  stock.curve_efforts = reader.Numbers(curve, path + ".default_curve", "max_efforts");
}

void ReadResistance(Reader& reader, const Json& file, RollingStock& stock) {
  const Json& resistance = reader.Member(file, "", "rolling_resistance");
  const std::string type = reader.Text(resistance, "rolling_resistance", "type");
  if (reader.fault().empty() && type != "davis") {
    reader.Fail("rolling_resistance.type must be davis, found " + type);
  }
  stock.davis_a = reader.Number(resistance, "rolling_resistance", "A");
  stock.davis_b = reader.Number(resistance, "rolling_resistance", "B");
  stock.davis_c = reader.Number(resistance, "rolling_resistance", "C");
}

RollingStock Read(Reader& reader, const Json& file) {
  RollingStock stock;
  const std::string version = reader.Text(file, "", "railjson_version");
  if (reader.fault().empty() && !version.starts_with("3.")) {
    reader.Fail("railjson_version must be 3.x, found " + version);
  }
  const auto name = file.is_object() ? file.find("name") : file.end();
  if (name != file.end() && name->is_string()) stock.name = name->get<std::string>();
  stock.mass = reader.Number(file, "", "mass");
  stock.length = reader.Number(file, "", "length");
  stock.max_speed = reader.Number(file, "", "max_speed");
  stock.inertia_coefficient = reader.Number(file, "", "inertia_coefficient");
  ReadResistance(reader, file, stock);
  ReadCurve(reader, file, stock);
  stock.comfort_acceleration = reader.Number(file, "", "comfort_acceleration");
  stock.braking = Braking(reader, file);
  return stock;
}

}  // namespace

Result<RollingStock> ReadRailjson(std::string_view source, std::string_view text) {
  const std::string where(source);
  const Json file = Json::parse(text, nullptr, false);
  if (file.is_discarded()) {
    return Status::DataError(where + ": is not JSON: a railjson rolling stock is a JSON object");
  }
  Reader reader;
  RollingStock stock = Read(reader, file);
  if (!reader.fault().empty()) return Status::DataError(where + ": " + reader.fault());
  if (Status checked = CheckRollingStock(stock); !checked.ok()) {
    return Status::DataError(where + ": " + checked.message());
  }
  return stock;
}

}  // namespace tarvosa::running
