#include "tools/debug_registers.h"

#include <QHash>

#include "device/catalogue.h"

namespace zelvan::debugconsole {

namespace {

// Descriptions by property. A Preview register without its own entry takes
// the description of its Main twin with "main" read as "preview".
const QHash<QString, QString>& descriptions() {
  static const QHash<QString, QString> table = {
      {QStringLiteral("ADDRDBG"), QStringLiteral("pointeur de debugage")},
      {QStringLiteral("DATADBG"), QStringLiteral("donnee de debugage")},
      {QStringLiteral("DEV"), QStringLiteral("device type")},
      {QStringLiteral("UNITy"), QStringLiteral("measuring freqency in kHz")},
      {QStringLiteral("VERI"), QStringLiteral("version interface (I)")},
      {QStringLiteral("VERK"), QStringLiteral("version noyau (K)")},
      {QStringLiteral("VERF"), QStringLiteral("version FPGA (F)")},
      {QStringLiteral("VERP"), QStringLiteral("version processeur (P)")},
      {QStringLiteral("VERE"), QStringLiteral("version eeprom (E)")},
      {QStringLiteral("VERV"), QStringLiteral("version firmware")},
      {QStringLiteral("VERUPD"), QStringLiteral("version du programme de mise a jour")},
      {QStringLiteral("VERA"), QStringLiteral("version A")},
      {QStringLiteral("VERC"), QStringLiteral("version C")},
      {QStringLiteral("OPT"), QStringLiteral("options installees")},
      {QStringLiteral("FRESET"), QStringLiteral("retour aux valeurs par defaut")},
      {QStringLiteral("PCHAN"), QStringLiteral("canal de traitement (0 = tous)")},
      {QStringLiteral("PENA"), QStringLiteral("entree utilisee")},
      {QStringLiteral("PLOAD"), QStringLiteral("charge synchro horizontale")},
      {QStringLiteral("PRGBI"), QStringLiteral("type de signal d'entree")},
      {QStringLiteral("PISTD"), QStringLiteral("standard d'entree")},
      {QStringLiteral("PPROC"), QStringLiteral("traitement magnetoscope")},
      {QStringLiteral("MTRXMOD"), QStringLiteral("mode matrice")},
      {QStringLiteral("ERAPOS"), QStringLiteral("effacement de toutes les memoires")},
      {QStringLiteral("EPD"), QStringLiteral("pull-down 2:2")},
      {QStringLiteral("DEMO"), QStringLiteral("mode demonstration")},
      {QStringLiteral("EIPSIGP"), QStringLiteral("signal present sur l'entree preview de l'effet")},
      {QStringLiteral("BCFRED"), QStringLiteral("couleur de fond rouge main")},
      {QStringLiteral("BCFGREEN"), QStringLiteral("couleur de fond vert main")},
      {QStringLiteral("BCFBLUE"), QStringLiteral("couleur de fond bleu main")},
      {QStringLiteral("TALLY1"), QStringLiteral("tally 1")},
      {QStringLiteral("TALLY2"), QStringLiteral("tally 2")},
      {QStringLiteral("TALLY3"), QStringLiteral("tally 3")},
      {QStringLiteral("TA1ON"), QStringLiteral("tally 1 actif")},
      {QStringLiteral("TA2ON"), QStringLiteral("tally 2 actif")},
      {QStringLiteral("TA3ON"), QStringLiteral("tally 3 actif")},
      {QStringLiteral("EFFECT"), QStringLiteral("type d'effet")},
      {QStringLiteral("EFFDUR"), QStringLiteral("duree de l'effet")},
      {QStringLiteral("EFFADR"), QStringLiteral("adresse de la memoire d'effet")},
      {QStringLiteral("EFFON"), QStringLiteral("effet en cours")},
      {QStringLiteral("EFFRDY"), QStringLiteral("effet pret")},
      {QStringLiteral("EFFNXT"), QStringLiteral("effet suivant")},
      {QStringLiteral("TAKE"), QStringLiteral("take")},
      {QStringLiteral("TAKEEVA"), QStringLiteral("take en attente")},
      {QStringLiteral("TBAR"), QStringLiteral("t-bar")},
      {QStringLiteral("TBARPO"), QStringLiteral("position de la t-bar")},
      {QStringLiteral("TBARAV"), QStringLiteral("t-bar disponible")},
      {QStringLiteral("MUXOUT"), QStringLiteral("sorties multiplexeur")},
      {QStringLiteral("LMODEM"), QStringLiteral("mode logo main")},
      {QStringLiteral("LSTATUSM"), QStringLiteral("etat logo main")},
      {QStringLiteral("LPLOGO1M"), QStringLiteral("logo 1 par entree main")},
      {QStringLiteral("LPLOGO2M"), QStringLiteral("logo 2 par entree main")},
      {QStringLiteral("LDISPLAYM"), QStringLiteral("affichage logo par entree main")},
      {QStringLiteral("LCURRENTM"), QStringLiteral("logo courant main")},
      {QStringLiteral("LSTOREM"), QStringLiteral("enregistrement logo main")},
      {QStringLiteral("LABORTM"), QStringLiteral("abandon enregistrement main")},
      {QStringLiteral("LHPOS1M"), QStringLiteral("position horizontale logo 1 main")},
      {QStringLiteral("LVPOS1M"), QStringLiteral("position verticale logo 1 main")},
      {QStringLiteral("LHSIZ1M"), QStringLiteral("taille horizontale logo 1 main")},
      {QStringLiteral("LVSIZ1M"), QStringLiteral("taille verticale logo 1 main")},
      {QStringLiteral("LSTYLE1M"), QStringLiteral("style logo 1 main")},
      {QStringLiteral("LOFMT1M"), QStringLiteral("format logo 1 main")},
      {QStringLiteral("LPIXELSIZ1M"), QStringLiteral("taille pixel logo 1 main")},
      {QStringLiteral("LLINESIZ1M"), QStringLiteral("taille ligne logo 1 main")},
      {QStringLiteral("LHPOS2M"), QStringLiteral("position horizontale logo 2 main")},
      {QStringLiteral("LVPOS2M"), QStringLiteral("position verticale logo 2 main")},
      {QStringLiteral("LHSIZ2M"), QStringLiteral("taille horizontale logo 2 main")},
      {QStringLiteral("LVSIZ2M"), QStringLiteral("taille verticale logo 2 main")},
      {QStringLiteral("LSTYLE2M"), QStringLiteral("style logo 2 main")},
      {QStringLiteral("LOFMT2M"), QStringLiteral("format logo 2 main")},
      {QStringLiteral("LPIXELSIZ2M"), QStringLiteral("taille pixel logo 2 main")},
      {QStringLiteral("LLINESIZ2M"), QStringLiteral("taille ligne logo 2 main")},
      {QStringLiteral("LFADEM"), QStringLiteral("transition main")},
      {QStringLiteral("LEMPTY"), QStringLiteral("memoires vides")},
      {QStringLiteral("LLEVEL"), QStringLiteral("niveau de decoupe logo")},
      {QStringLiteral("LFRAMEDUR"), QStringLiteral("duree enregistrement frame")},
      {QStringLiteral("LLOGODUR"), QStringLiteral("duree enregistrement logo")},
      {QStringLiteral("LBACKCOLOR"), QStringLiteral("couleur de fond logo")},
      {QStringLiteral("LANENABLE"), QStringLiteral("reseau actif")},
      {QStringLiteral("LANRESET"), QStringLiteral("reset reseau")},
      {QStringLiteral("LANSTORE"), QStringLiteral("sauvegarde parametres reseau")},
      {QStringLiteral("PADIP"), QStringLiteral("choix du jeu d'adresses IP")},
      {QStringLiteral("IPA_"), QStringLiteral("adresse IP octet A")},
      {QStringLiteral("IPB_"), QStringLiteral("adresse IP octet B")},
      {QStringLiteral("IPC_"), QStringLiteral("adresse IP octet C")},
      {QStringLiteral("IPD_"), QStringLiteral("adresse IP octet D")},
      {QStringLiteral("PORT_"), QStringLiteral("port IP")},
      {QStringLiteral("NTMK_"), QStringLiteral("masque de sous-reseau")},
      {QStringLiteral("DHCPENABLE"), QStringLiteral("DHCP actif")},
      {QStringLiteral("AUTOCADM"), QStringLiteral("cadrage automatique main")},
      {QStringLiteral("ICHM"), QStringLiteral("entree main")},
      {QStringLiteral("ICHNM"), QStringLiteral("entree suivante main")},
      {QStringLiteral("ILDM"), QStringLiteral("lignes detectees main")},
      {QStringLiteral("ILSDM"), QStringLiteral("lignes du standard main")},
      {QStringLiteral("IFDM"), QStringLiteral("frequence detectee main")},
      {QStringLiteral("IFSDM"), QStringLiteral("frequence du standard main")},
      {QStringLiteral("ISYNCM"), QStringLiteral("type de synchro entree main")},
      {QStringLiteral("IPSIGM"), QStringLiteral("presence signal entree main")},
      {QStringLiteral("IHPOLM"), QStringLiteral("polarite synchro H main")},
      {QStringLiteral("IVPOLM"), QStringLiteral("polarite synchro V main")},
      {QStringLiteral("IINTM"), QStringLiteral("entrelacement main")},
      {QStringLiteral("IOORM"), QStringLiteral("signal hors limites main")},
      {QStringLiteral("IFAMM"), QStringLiteral("famille du signal main")},
      {QStringLiteral("HPOSM"), QStringLiteral("position horizontale main")},
      {QStringLiteral("VPOSM"), QStringLiteral("position verticale main")},
      {QStringLiteral("HSIZM"), QStringLiteral("taille horizontale main")},
      {QStringLiteral("VSIZM"), QStringLiteral("taille verticale main")},
      {QStringLiteral("BRGTM"), QStringLiteral("luminosite main")},
      {QStringLiteral("CONTRM"), QStringLiteral("contraste main")},
      {QStringLiteral("COLORM"), QStringLiteral("saturation main")},
      {QStringLiteral("HUEM"), QStringLiteral("teinte main")},
      {QStringLiteral("PROCM"), QStringLiteral("traitement image main")},
      {QStringLiteral("OVERM"), QStringLiteral("surbalayage main")},
      {QStringLiteral("IASPM"), QStringLiteral("format d'image main")},
      {QStringLiteral("RLVM"), QStringLiteral("niveau rouge main")},
      {QStringLiteral("GLVM"), QStringLiteral("niveau vert main")},
      {QStringLiteral("BLVM"), QStringLiteral("niveau bleu main")},
      {QStringLiteral("DIVM"), QStringLiteral("horloge pixel main")},
      {QStringLiteral("PHASEM"), QStringLiteral("phase horloge main")},
      {QStringLiteral("OFMTM"), QStringLiteral("format de sortie main")},
      {QStringLiteral("OSYNCM"), QStringLiteral("synchro de sortie main")},
      {QStringLiteral("OPATM"), QStringLiteral("mire main")},
      {QStringLiteral("OSCREENM"), QStringLiteral("type d'ecran main")},
      {QStringLiteral("REFREQM"), QStringLiteral("frequence de sortie main")},
      {QStringLiteral("REFSTAM"), QStringLiteral("etat de la reference main")},
      {QStringLiteral("REFFAMM"), QStringLiteral("famille de la reference main")},
      {QStringLiteral("REFFRQM"), QStringLiteral("frequence de la reference main")},
      {QStringLiteral("STORE"), QStringLiteral("sauvegarde des reglages")},
      {QStringLiteral("PRESETM"), QStringLiteral("preset main")},
      {QStringLiteral("IFRZM"), QStringLiteral("gel de l'image main")},
      {QStringLiteral("EDGSIZ"), QStringLiteral("taille du soft edge")},
      {QStringLiteral("EDGADR"), QStringLiteral("adresse de la courbe soft edge")},
      {QStringLiteral("PEDGC"), QStringLiteral("soft edge par entree")},
      {QStringLiteral("EDGTYPE"), QStringLiteral("type de soft edge")},
      {QStringLiteral("EDGVAL"), QStringLiteral("valeur de la courbe soft edge")},
      {QStringLiteral("LUTCTRL"), QStringLiteral("controle de la table LUT")},
      {QStringLiteral("LUTDATA"), QStringLiteral("donnee de la table LUT")},
      {QStringLiteral("LHPCAPM"), QStringLiteral("capture position horizontale logo main")},
      {QStringLiteral("LVPCAPM"), QStringLiteral("capture position verticale logo main")},
      {QStringLiteral("SCANREQM"), QStringLiteral("requete sortie video main")},
      {QStringLiteral("SCANSTAM"), QStringLiteral("etat sortie video main")},
      {QStringLiteral("SCANFAMM"), QStringLiteral("famille sortie video main")},
      {QStringLiteral("SCANFRQM"), QStringLiteral("frequence sortie video main")},
      {QStringLiteral("SCANVCRM"), QStringLiteral("stabilite synchro sortie video main")},
      {QStringLiteral("SCANAFM"), QStringLiteral("anti-scintillement sortie video main")},
      {QStringLiteral("SCANOVM"), QStringLiteral("surbalayage sortie video main")},
      {QStringLiteral("SCANSTDM"), QStringLiteral("standard sortie video main")},
      {QStringLiteral("SCANVKM"), QStringLiteral("checksum VK main")},
      {QStringLiteral("SCANVSM"), QStringLiteral("checksum VS main")},
      {QStringLiteral("SCANVVM"), QStringLiteral("checksum VV main")},
      {QStringLiteral("SCANVFM"), QStringLiteral("checksum VF main")},
      {QStringLiteral("SCANSCPM"), QStringLiteral("phase sous-porteuse main")},
      {QStringLiteral("SCANHPHM"), QStringLiteral("phase horizontale sortie video main")},
      {QStringLiteral("SCANHPOSM"), QStringLiteral("position horizontale sortie video main")},
      {QStringLiteral("SCANVPOSM"), QStringLiteral("position verticale sortie video main")},
      {QStringLiteral("SCANHSIZM"), QStringLiteral("taille horizontale sortie video main")},
      {QStringLiteral("SCANVSIZM"), QStringLiteral("taille verticale sortie video main")},
      {QStringLiteral("SCANTRACKM"), QStringLiteral("suivi sortie video main")},
      {QStringLiteral("ACHANM"), QStringLiteral("canal audio main")},
      {QStringLiteral("AMODEM"), QStringLiteral("mode audio main")},
      {QStringLiteral("AMASTM"), QStringLiteral("volume general main")},
      {QStringLiteral("AMUTEM"), QStringLiteral("audio coupe main")},
      {QStringLiteral("AMONOM"), QStringLiteral("audio mono main")},
      {QStringLiteral("ALEV"), QStringLiteral("niveau audio par entree")},
      {QStringLiteral("ABAL"), QStringLiteral("balance audio par entree")},
      {QStringLiteral("AAUXMM"), QStringLiteral("audio auxiliaire coupe main")},
      {QStringLiteral("TAKEAUTO"), QStringLiteral("take automatique")},
      {QStringLiteral("EFFOPT"), QStringLiteral("option de l'effet")},
      {QStringLiteral("ZMHSZM"), QStringLiteral("zoom taille horizontale main")},
      {QStringLiteral("ZMVSZM"), QStringLiteral("zoom taille verticale main")},
      {QStringLiteral("ZMHPM"), QStringLiteral("zoom position horizontale main")},
      {QStringLiteral("ZMVPM"), QStringLiteral("zoom position verticale main")},
      {QStringLiteral("QUIET"), QStringLiteral("mode silencieux")},
      {QStringLiteral("EDGBLKR"), QStringLiteral("niveau noir rouge du soft edge")},
      {QStringLiteral("EDGBLKG"), QStringLiteral("niveau noir vert du soft edge")},
      {QStringLiteral("EDGBLKB"), QStringLiteral("niveau noir bleu du soft edge")},
      {QStringLiteral("EDGSBLK"), QStringLiteral("debut du niveau noir du soft edge")},
      {QStringLiteral("EDGEBLK"), QStringLiteral("fin du niveau noir du soft edge")},
      {QStringLiteral("LPTRANSM"), QStringLiteral("transparence logo par entree main")},
      {QStringLiteral("FRAMEALERT"), QStringLiteral("frame sur perte de synchro")},
      {QStringLiteral("EFFOPEN"), QStringLiteral("animation d'ouverture")},
      {QStringLiteral("EFFOPNDUR"), QStringLiteral("duree de l'ouverture")},
      {QStringLiteral("EFFCLOSE"), QStringLiteral("animation de fermeture")},
      {QStringLiteral("EFFCLSDUR"), QStringLiteral("duree de la fermeture")},
      {QStringLiteral("PVISC"), QStringLiteral("visibilite par entree")},
      {QStringLiteral("EDSEB"), QStringLiteral("mode soft edge embarque")},
      {QStringLiteral("LQTY"), QStringLiteral("qualite des frames")},
      {QStringLiteral("UPDATER"), QStringLiteral("mode mise a jour")},
      {QStringLiteral("queryall"), QStringLiteral("envoie de toutes les variable")},
  };
  return table;
}

QString describe(const QString& property) {
  const auto& table = descriptions();
  if (auto it = table.constFind(property); it != table.constEnd()) return *it;
  // Effect parameters EFFPA .. EFFPR.
  if (property.size() == 5 && property.startsWith(QLatin1String("EFFP")))
    return QStringLiteral("parametre d'effet ") + property.right(1);
  // A Preview register: its Main twin's description.
  if (property.size() > 1 && property.endsWith(QLatin1Char('P'))) {
    const QString stem = property.left(property.size() - 1);
    for (const QString& twin : {stem + QLatin1Char('M'), stem}) {
      if (auto it = table.constFind(twin); it != table.constEnd()) {
        QString d = *it;
        if (d.endsWith(QLatin1String(" main"))) return d.left(d.size() - 5) + QLatin1String(" preview");
        return d + QLatin1String(" preview");
      }
    }
  }
  return QStringLiteral("registre ") + property;
}

}  // namespace

RegisterLine makeRegisterLine(const QString& code, const QString& name, const QString& description) {
  RegisterLine l;
  l.code = code;
  l.name = name;
  l.text = code.leftJustified(10) + QLatin1Char(' ') + name.leftJustified(8) + QLatin1Char(' ') + description;
  return l;
}

const std::vector<RegisterLine>& registerLines() {
  static const std::vector<RegisterLine> lines = [] {
    std::vector<RegisterLine> out;
    out.reserve(313);
    out.push_back(
        makeRegisterLine(QStringLiteral("#"), QStringLiteral("#"), describe(QStringLiteral("queryall"))));
    const auto& cat = zelvan::catalogue();
    for (int i = 0; i < zelvan::kRegisterCount; ++i) {
      const auto& r = cat[static_cast<size_t>(i)];
      const QString name = QString::fromLatin1(r.name.data(), qsizetype(r.name.size()));
      const QString code = QString::fromLatin1(r.code.data(), qsizetype(r.code.size()));
      const QString prop = QString::fromLatin1(r.property.data(), qsizetype(r.property.size()));
      if (name == QLatin1String("TCP") || name == QLatin1String("EDGM") || name == QLatin1String("EDCH") ||
          name == QLatin1String("EFPS") || name == QLatin1String("$"))
        continue;
      QString listed = name;
      if (code == QLatin1String("eB")) listed = QStringLiteral("EDGB");
      if (code == QLatin1String("eu")) listed = QStringLiteral("EFPN");
      out.push_back(makeRegisterLine(code, listed, describe(prop)));
      if (i == zelvan::Reg::PPROC)
        out.push_back(makeRegisterLine(QStringLiteral("PS"), QStringLiteral("PSOG"),
                                       QStringLiteral("entree possible en SOG")));
    }
    return out;
  }();
  return lines;
}

}  // namespace zelvan::debugconsole
