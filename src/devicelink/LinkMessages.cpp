#include "devicelink/LinkMessages.h"

#include "platform/LangText.h"

namespace zephirax {

namespace {

// Followed by the device's path.
constexpr LangText PortOpenErrorText{"Fehler beim Öffnen von ", "Could not open ", "Erreur sur ",
                                     "No puedo abrir "};

// %1 is the group.
constexpr LangText DeniedGroupText{
    "Nur Mitglieder der Gruppe \"%1\" dürfen dieses Gerät benutzen. Bitten Sie den "
    "Administrator, Sie in die Gruppe aufzunehmen, und melden Sie sich danach neu an.",
    "Only members of the group \"%1\" may use this device. Ask the administrator to add you to "
    "that group, then log in again.",
    "Seuls les membres du groupe \"%1\" peuvent utiliser ce périphérique. Demandez à "
    "l'administrateur de vous ajouter à ce groupe, puis reconnectez-vous.",
    "Solo los miembros del grupo \"%1\" pueden usar este dispositivo. Pida al administrador que "
    "le añada a ese grupo y vuelva a iniciar la sesión."};

// %1 is the device's path, %2 the reason.
constexpr LangText LinkFailedText{
    "Die Verbindung zu %1 ist abgebrochen: %2.", "The connection to %1 failed: %2.",
    "La liaison avec %1 a échoué : %2.", "La conexión con %1 ha fallado: %2."};

constexpr LangText HungUpText{"das Gerät hat die Verbindung beendet oder wurde entfernt",
                              "the device hung up or was removed",
                              "le périphérique a coupé la liaison ou a été retiré",
                              "el dispositivo cortó la conexión o fue retirado"};

constexpr LangText NothingSavedText{"Von der unvollständigen Übertragung wurde nichts gespeichert.",
                                    "Nothing of the incomplete transfer was saved.",
                                    "Rien de la transmission incomplète n'a été enregistré.",
                                    "No se guardó nada de la transmisión incompleta."};

std::string Filled(std::string text, const std::string& first, const std::string& second = "") {
  for (const auto& [mark, value] :
       {std::pair<std::string, std::string>{"%1", first}, {"%2", second}}) {
    const size_t at = text.find(mark);
    if (at != std::string::npos) text.replace(at, mark.size(), value);
  }
  return text;
}

std::string Reason(int language, const DeviceFault& fault) {
  if (fault.What == DeviceFault::Kind::HungUp) return Tr(HungUpText, language);
  return fault.Reason;
}

}  // namespace

std::string PortOpenErrorMessage(int language, const SerialLink& link) {
  std::string message = Tr(PortOpenErrorText, language) + link.DevicePath;
  const std::string reason = Reason(language, link.Fault);
  if (!reason.empty()) message += "\n" + reason;
  if (!link.Fault.DeniedGroup.empty()) {
    message += "\n" + Filled(Tr(DeniedGroupText, language), link.Fault.DeniedGroup);
  }
  return message;
}

std::string LinkFailedMessage(int language, const SerialLink& link, bool incomplete) {
  std::string message =
      Filled(Tr(LinkFailedText, language), link.DevicePath, Reason(language, link.Fault));
  if (incomplete) message += "\n" + std::string(Tr(NothingSavedText, language));
  return message;
}

}  // namespace zephirax
