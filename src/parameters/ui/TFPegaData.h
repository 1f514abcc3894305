#pragma once
// The date picker "KORVA - Selecione a Data": a month calendar (weeks start
// on Sunday) under a title with the selected month and year ("março, 2024"),
// buttons for the previous and next month and year, "OK" and "Cancela".
//
// Protocol: the caller sets the initial date (the field's value, or today
// when the field is empty), runs the dialog, and only when resultado() is
// "OK" puts data() into its field. Showing the dialog, "Cancela" and the
// title bar's close leave the result "CANCELA".
//
// One instance serves the whole program: TFPegaData::Instancia() creates it
// on first use as a child of the main window.
//
//     auto& d = TFPegaData::Instancia();
//     d.defineData(campoVazio ? QDate() : valor);   // null = today
//     if (d.executa() == "OK") modelo->defineCampo("DtAjuiz", ...d.data()...);
#include <QDate>
#include <QDialog>
#include <QString>

class QCalendarWidget;
class QLabel;
class QPushButton;

namespace korva::ui {

class TFPegaData : public QDialog {
    Q_OBJECT
public:
    explicit TFPegaData(QWidget* pai = nullptr);

    // The program's one instance (a child of the main window when there is one).
    static TFPegaData& Instancia();

    // The date selected when the dialog opens; a null date means today.
    void defineData(const QDate& data);
    // The date selected in the calendar.
    QDate data() const;

    // Runs the dialog modally and returns resultado().
    QString executa();
    // "OK" after "OK"; "CANCELA" from the moment it is shown until then.
    const QString& resultado() const { return resultado_; }

    // The title's text for a date: "MMMM, YYYY" with the Portuguese month name.
    static QString Titulo(const QDate& data);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void mudaMes(int meses);
    void atualizaTitulo();

    QString resultado_ = QStringLiteral("CANCELA");
    QLabel* lbTitulo_ = nullptr;
    QCalendarWidget* calendario_ = nullptr;
    QPushButton* btAnoAnterior_ = nullptr;
    QPushButton* btMesAnterior_ = nullptr;
    QPushButton* btProximoMes_ = nullptr;
    QPushButton* btProximoAno_ = nullptr;
    QPushButton* btOk_ = nullptr;
    QPushButton* btCancela_ = nullptr;
};

}  // namespace korva::ui
