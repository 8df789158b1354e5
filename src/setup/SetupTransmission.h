#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "devicelink/Serial.h"
#include "platform/LangText.h"

// Sending a setup frame to the device: one byte per write with a pause after
// every byte, so the device can take each character; there is no answer to
// wait for.

namespace zephirax {

// Two character times at 9600 baud (10 bits each) plus a margin. A real
// pause, not a counting loop, so it lasts as long on every processor.
inline constexpr std::chrono::microseconds BytePauseTime{2500};

struct SendSetupHooks {
  // The progress bar: items sent (STX and every field), then 100.
  std::function<void(int)> Gauge;
  // Called after every byte; sleeps BytePauseTime unless replaced.
  std::function<void()> BytePause;
};

// Writes `frame` byte by byte on the open port and closes the port when done.
// Stops at the first byte the device does not take: the rest of a frame is
// useless to the device, and carrying on would report a transfer that never
// happened. False then, with the reason in `link.Fault`.
bool SendSetup(SerialLink& link, std::string_view frame, const SendSetupHooks& hooks = {});

inline constexpr LangText TransmitDlgCaption{
    "Sende SETUP Daten zum VOLTAN", "Transmit setup data to VOLTAN", "Envoyer la config sur VOLTAN",
    "Mandar justación al VOLTAN"};
inline constexpr LangText TransmitLabel1{"Bitte zuerst Funktion RECEIVE DATA am VOLTAN starten.",
                                         "Please start function RECEIVE DATA on VOLTAN first.",
                                         "SVP lancer RECEVOIR DU PC sur le VOLTAN.",
                                         "Primero arranque la función RECEIVE DATA en el VOLTAN."};
inline constexpr LangText TransmitLabel2{"Status :", "Status :", "Etat :", "Estado :"};
inline constexpr LangText TransmitWaiting{"wartend ...", "waiting ...", "en attente ...",
                                          "esperando ..."};
inline constexpr LangText TransmitLabel4{"Dann Start drücken.", "Then press button Start.",
                                         "Puis cliquer sur Transfert.", "Entonces pulse Mandar"};
inline constexpr LangText TransmitCancel{"Abbruch", "Cancel", "Quitter", "&Salir"};
inline constexpr LangText TransmitOk{"Ok", "Ok", "Oui", "&Ok"};
inline constexpr LangText TransmitHelp{"&Hilfe", "&Help", "&Aide", "&Ayuda"};
inline constexpr LangText TransmitStart{"Start", "Start", "Transfert", "&Mandar"};
inline constexpr LangText TransmitInProgress{"in Arbeit ...", "in progress ...", "en cours ...",
                                             "trabajando ..."};
inline constexpr LangText TransmitPleaseWait{"Bitte warten.", "Please wait.", "Patientez SVP.",
                                             "espere"};
inline constexpr LangText TransmitFinished{"fertig ...", "finished ...", "Terminé ...",
                                           "final ..."};
inline constexpr LangText TransmitFailed{"fehlgeschlagen ...", "failed ...", "échec ...",
                                         "fallido ..."};

}  // namespace zephirax
