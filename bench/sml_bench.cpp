// Document model benchmark: prints figures, asserts nothing.
//   1. load of the default document plus reading every typed item;
//   2. FormatXMLData of a 1 MB document;
//   3. 150 typed attribute writes on the default document while a listener re-renders the
//      text list and re-formats it after every change (the raw XML page during a save).
#include "sml/EVariantError.h"
#include "sml/FormatXMLData.h"
#include "sml/KOVA_SML.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace
{

// What one pass over the typed items collects.
struct TVisit {
    double sink = 0;                            // keeps the reads from being optimised away
    int items = 0;                              // typed items read
    int failures = 0;                           // conversion failures (items without a value)
    std::vector<std::function<void()>> writers; // one typed write per attribute item
};

#define BENCH_DECLARE(Name) void visit(const IXML##Name &node, TVisit &v);
KOVA_TYPED_CLASSES(BENCH_DECLARE)

template <class F> void readValue(TVisit &v, F &&get)
{
    ++v.items;
    try {
        v.sink += double(get());
    } catch (const EVariantError &) {
        ++v.failures;
    }
}

#define BENCH_ITEM(P, Kind, Name) BENCH_ITEM_##Kind(P, Name)
#define BENCH_ITEM_Node(P, Name) visit(node->Get_##Name(), v);
#define BENCH_ITEM_Text(P, Name)                                                                   \
    ++v.items;                                                                                     \
    v.sink += node->Get_##Name().size();
#define BENCH_ITEM_String(P, Name)                                                                 \
    ++v.items;                                                                                     \
    v.sink += node->Get_##Name().size();                                                           \
    v.writers.push_back([node] { node->Set_##Name(QStringLiteral("bench")); });
#define BENCH_ITEM_Integer(P, Name)                                                                \
    readValue(v, [&] { return node->Get_##Name(); });                                              \
    v.writers.push_back([node] { node->Set_##Name(7); });
#define BENCH_ITEM_Int64(P, Name)                                                                  \
    readValue(v, [&] { return node->Get_##Name(); });                                              \
    v.writers.push_back([node] { node->Set_##Name(7000000000LL); });
#define BENCH_ITEM_Boolean(P, Name)                                                                \
    readValue(v, [&] { return node->Get_##Name(); });                                              \
    v.writers.push_back([node] { node->Set_##Name(true); });
#define BENCH_ITEM_Single(P, Name)                                                                 \
    readValue(v, [&] { return node->Get_##Name(); });                                              \
    v.writers.push_back([node] { node->Set_##Name(3.14159f); });

#define BENCH_DEFINE(Name)                                                                         \
    void visit(const IXML##Name &node, TVisit &v)                                                  \
    {                                                                                              \
        Name##_ITEMS(BENCH_ITEM, Name)                                                             \
    }
KOVA_TYPED_CLASSES(BENCH_DEFINE)

const TXMLDocOptions windowOptions =
    TXMLDocOption::doNodeAutoCreate | TXMLDocOption::doNodeAutoIndent | TXMLDocOption::doAttrNull |
    TXMLDocOption::doAutoPrefix | TXMLDocOption::doNamespaceDecl | TXMLDocOption::doAutoSave;

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Runs f `runs` times and prints the median wall-clock and CPU time of one run in
// milliseconds (CPU time stays meaningful when other work shares the machine).
void measure(const char *label, int runs, const std::function<void()> &f)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = threadCpuMs();
        f();
        cpu.push_back(threadCpuMs() - cpuStart);
        wall.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-64s wall %8.3f ms   cpu %8.3f ms   (median of %d)\n", label,
                wall[wall.size() / 2], cpu[cpu.size() / 2], runs);
}

QString megabyteDocument()
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><KOVA_Station>");
    int i = 0;
    while (xml.size() < 1024 * 1024) {
        xml +=
            QStringLiteral("<Scan ID=\"%1\" Frequency=\"1420405751.768\" Falsified=\"false\">"
                           "<Target Name=\"Target %1\" HitID=\"%1\"/><Note>hit %1</Note>"
                           "<Receiver><Tuning Frequency=\"1420.4\" Bandwidth=\"2.5\"/></Receiver>"
                           "</Scan>")
                .arg(i++);
    }
    return xml + QStringLiteral("</KOVA_Station>");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("Document model benchmark (figures only)\n");

    TVisit check;
    {
        TXMLDocument doc(windowOptions);
        LoadGeneratedSML(doc);
        visit(GetKOVA_Station(doc), check);
        std::printf("default document: %d bytes, %d typed items, %d of them absent (reading "
                    "adds them empty), %s after reading\n",
                    int(GeneratedSML().size()), check.items, check.failures,
                    doc.Modified() ? "modified" : "unmodified");
    }

    measure("load default document + read every typed item", 200, [] {
        TXMLDocument doc(windowOptions);
        LoadGeneratedSML(doc);
        TVisit v;
        visit(GetKOVA_Station(doc), v);
    });

    const QString big = megabyteDocument();
    QString formatted;
    measure("FormatXMLData of a 1 MB document", 10, [&] { formatted = FormatXMLData(big); });
    std::printf("  (%d characters in, %d out)\n", int(big.size()), int(formatted.size()));

    measure("150 typed writes, listener re-renders text list + FormatXMLData", 20, [] {
        TXMLDocument doc(windowOptions);
        LoadGeneratedSML(doc);
        TVisit v;
        visit(GetKOVA_Station(doc), v);
        QString page;
        doc.AfterNodeChange = [&](const IXMLNode &, TNodeChange) {
            page = FormatXMLData(doc.XML().join(QStringLiteral("\r\n")));
        };
        for (int i = 0; i < 150; ++i)
            v.writers[size_t(i) % v.writers.size()]();
    });
    return 0;
}
