#include "devicelink/QtSerialPorts.h"

#include <QFile>
#include <QSerialPortInfo>

namespace zephirax {

std::vector<SerialPortInfo> MachineSerialPorts() {
  std::vector<SerialPortInfo> ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    QString description = info.description();
    if (description.isEmpty()) description = info.manufacturer();
    ports.push_back(
        {QFile::encodeName(info.systemLocation()).toStdString(), description.toStdString()});
  }
  return ports;
}

}  // namespace zephirax
