// .NET host: calls DLV through P/Invoke with the declarations the README
// shows (the Dlv class of examples/readme/VogelWell.cs, compiled with it) and
// checks values that the C++ suites check as well. Run it in an empty
// directory: dlv_calCSharp must leave no log file behind.
//
//   mcs -main:DotNetHost -out:DotNetHost.exe DotNetHost.cs ../../examples/readme/VogelWell.cs
//   LD_LIBRARY_PATH=<dir of libDLV.so> mono DotNetHost.exe
using System;
using System.IO;

static class DotNetHost
{
    static int failures = 0;

    static void Check(string name, double have, double want)
    {
        bool ok = Math.Abs(have - want) <= 1e-12 * Math.Abs(want);
        if (!ok) ++failures;
        Console.WriteLine("{0} {1}: {2:R}, want {3:R}", ok ? "ok  " : "FAIL", name, have, want);
    }

    static int Main()
    {
        double pr = 2400.0, q = 1000.0, pwf = 1800.0, pb = 1900.0;
        double qmax = Dlv.dlvCalcVogel(ref pr, ref q, ref pwf, ref pb);
        double[] rates = new double[25], pressures = new double[25];
        Check("quick arrays", Dlv.dlvGetResultRate_PrsArrays(rates, pressures), 25.0);
        Check("quick Vogel maximum rate", qmax, 2602.7397260273974);
        Check("quick Vogel last array rate", rates[24], qmax);
        double pi_pr = 1000.0, index = 2.0;
        Check("quick PI line maximum rate", Dlv.dlvCalcPI(ref pi_pr, ref index), 2000.0);

        // One layer of correlation fluids, Vogel's method from one test: the
        // C++ end-to-end suite's well. Integer fields at their byte positions.
        double[] fluids = new double[1426], separator = { 100.0, 80.0 }, well = new double[2008];
        double[] completion = new double[402], traverse = new double[12888 / 8];
        double[] summary = new double[150];
        Buffer.BlockCopy(new[] { 2 }, 0, well, 0, 4);        // method: Vogel
        Buffer.BlockCopy(new[] { 1 }, 0, well, 16, 4);       // layer count
        Buffer.BlockCopy(new[] { 1 }, 0, well, 407 * 8, 4);  // test count
        Buffer.BlockCopy(new[] { 1 }, 0, fluids, 0, 4);      // fluid type: correlations
        fluids[25] = 35.0;   // API gravity
        fluids[75] = 0.2;    // water cut
        fluids[175] = 1.05;  // water SG
        fluids[225] = 0.7;   // gas SG
        fluids[325] = 500.0; // producing GOR
        well[3] = 180.0;     // temperature
        well[53] = 50.0;     // permeability
        well[103] = 30.0;    // thickness
        well[153] = 1000.0;  // drainage radius
        well[203] = 0.354;   // wellbore radius
        well[303] = 2400.0;  // reservoir pressure
        well[408] = 1000.0;  // test rate
        well[508] = 1800.0;  // test flowing pressure
        int mode = 0;
        Check("dlv_calCSharp result",
              Dlv.dlv_calCSharp(fluids, separator, well, ref mode, completion, traverse, summary), 1.0);
        Check("summary maximum rate", summary[24], 2800.0);
        Check("summary shut-in pressure", summary[25], 2400.0);
        Check("oil formation volume factor", fluids[575], 1.2970594225566998);
        Check("files left in the directory", Directory.GetFileSystemEntries(".").Length, 0.0);
        Console.WriteLine("{0} failed", failures);
        return failures == 0 ? 0 : 1;
    }
}
