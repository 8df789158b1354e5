#include "app/LoadMessages.h"

#include <iterator>

namespace zephirax {

namespace {

// Where the fault lies; "%1" in the reasons below.
constexpr LangText PartTexts[] = {
    {"im Kopfteil", "inside the header", "dans l'en-tête", "en la cabecera"},
    {"in den Zylinderwerten", "inside the cylinder values", "dans les valeurs des cylindres",
     "en los valores de los cilindros"},
    {"im Kurvenblock", "inside the curve block", "dans le bloc des courbes",
     "en el bloque de curvas"},
    {"in den Kurven des zweiten Kanals", "inside the second channel's curves",
     "dans les courbes du second canal", "en las curvas del segundo canal"},
};

// One per FaultReason, in its order.
constexpr LangText ReasonTexts[] = {
    {"Die Datei fehlt oder kann nicht gelesen werden.", "The file is missing or cannot be read.",
     "Le fichier est absent ou illisible.", "El fichero falta o no se puede leer."},
    {"Die Datei ist größer als 64 MiB.", "The file is larger than 64 MiB.",
     "Le fichier dépasse 64 Mio.", "El fichero supera 64 MiB."},
    {"Die Datei beginnt nicht wie eine Messdatei.",
     "The file does not start like a measurement file.",
     "Le fichier ne commence pas comme un fichier de mesure.",
     "El fichero no empieza como un fichero de medición."},
    {"Die Datei endet %1.", "The file ends %1.", "Le fichier se termine %1.",
     "El fichero termina %1."},
    {"Ein Wert %1 ist keine gültige Zahl.", "A value %1 is not a valid number.",
     "Une valeur %1 n'est pas un nombre valable.", "Un valor %1 no es un número válido."},
    {"Eine Anzahl %1 liegt außerhalb des gültigen Bereichs.", "A count %1 is out of range.",
     "Un nombre %1 est hors des limites.", "Un número %1 está fuera de rango."},
    {"Die Datei nennt keine gültige Zylinderzahl.", "The file gives no valid number of cylinders.",
     "Le fichier n'indique pas de nombre de cylindres valable.",
     "El fichero no indica un número de cilindros válido."},
    {"Die Datei enthält diesen Zylinder nicht.", "The file has no such cylinder.",
     "Le fichier ne contient pas ce cylindre.", "El fichero no contiene ese cilindro."},
    {"Dies ist keine gewöhnliche Datei.", "This is not a regular file.",
     "Ce n'est pas un fichier ordinaire.", "No es un fichero normal."},
};

static_assert(std::size(ReasonTexts) == static_cast<size_t>(FaultReason::NotRegular) + 1);
static_assert(std::size(PartTexts) == static_cast<size_t>(FilePart::SecondCurves) + 1);

}  // namespace

std::string FileFaultMessage(const LangText& headline, const LoadFault& fault,
                             const std::string& fileName, int language) {
  std::string reason = Tr(ReasonTexts[static_cast<size_t>(fault.Reason)], language);
  const size_t mark = reason.find("%1");
  if (mark != std::string::npos) {
    reason.replace(mark, 2, Tr(PartTexts[static_cast<size_t>(fault.Part)], language));
  }
  std::string message = Tr(headline, language);
  if (!fileName.empty()) message += "\n" + fileName;
  return message + "\n" + reason;
}

void ShowLoadFault(UserInterface& ui, int language, const LoadFault& fault,
                   const std::string& fileName, bool reference) {
  const LangText& notData = reference ? RefNotADataFileText : NotADataFileText;
  const LangText& headline = fault.Kind == FileFault::NotDataFile ? notData : CouldNotReadFileText;
  ui.MessageBox(Tr(MeasurementErrorCaption, language),
                FileFaultMessage(headline, fault, fileName, language), MsgButtons::Ok,
                MsgIcon::Error);
}

}  // namespace zephirax
